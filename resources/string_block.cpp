#include "resources/string_block.h"

namespace {

// Blocks are little-endian and need not be aligned in the file they come from.
std::uint16_t ReadUnit(std::span<const std::byte> block, std::size_t offset) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(block[offset]) |
                                      std::to_integer<unsigned>(block[offset + 1]) << 8);
}

}  // namespace

bool FindStringInBlock(std::span<const std::byte> block, std::uint16_t id, std::u16string& text) {
    const std::size_t units = block.size() / 2;
    std::size_t position = 0;
    for (unsigned entry = 0; entry < id % 16u; ++entry) {
        if (position >= units) return false;
        position += 1 + std::size_t{ReadUnit(block, position * 2)};
    }
    if (position >= units) return false;
    const std::size_t length = ReadUnit(block, position * 2);
    if (length == 0 || length > units - position - 1) return false;
    std::u16string found(length, u'\0');
    for (std::size_t i = 0; i < length; ++i) {
        found[i] = static_cast<char16_t>(ReadUnit(block, (position + 1 + i) * 2));
    }
    text = std::move(found);
    return true;
}
