// The string-block walk over arbitrary block bytes. A block may come from a language library
// we did not build, so any bytes must give either a text lying wholly inside the block or
// "not found" with the caller's text untouched.
//
// Input: two bytes of identifier (little-endian), then the block.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "resources/string_block.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto askedId = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const std::span<const std::byte> block(reinterpret_cast<const std::byte*>(data + 2), size - 2);

    // Every position of the block, not only the asked one: one input then exercises the
    // whole walk, and identifiers of other blocks map to the same sixteen positions.
    const std::uint16_t firstOfBlock = askedId & 0xFFF0u;
    for (std::uint16_t position = 0; position < 16; ++position) {
        const auto id = static_cast<std::uint16_t>(firstOfBlock | position);
        const std::u16string untouched = u"caller's text";
        std::u16string text = untouched;
        if (FindStringInBlock(block, id, text)) {
            FuzzCheck(!text.empty(), "a found text is never empty");
            // The entry needs its length unit and its text units inside the block.
            FuzzCheck((text.size() + 1) * 2 <= block.size(), "a found text lies inside the block");
        } else {
            FuzzCheck(text == untouched, "not found leaves the caller's text as it was");
        }
    }
    return 0;
}
