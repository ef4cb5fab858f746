// Template parsing and the font-replacing copy over arbitrary bytes. A language library's
// template is untrusted input of any length and content: the parse must never read outside
// it, and every template it accepts in the extended form must come back from the copy with
// the new font and everything else as it was, laid out so that a second copy changes nothing.
//
// Input: one byte choosing the replacement font, then the template.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

#include "resources/dialog_template.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

DialogFont ReplacementFont(std::uint8_t choice) {
    // Faces as the platform's property-sheet template and the language variants name them,
    // plus an empty face, which a template may legitimately carry.
    static const char16_t* const kFaces[] = {u"MS Shell Dlg", u"MS Shell Dlg 2", u"Tahoma", u""};
    DialogFont font;
    font.pointSize = static_cast<std::uint16_t>(choice & 0x0F);
    font.weight = (choice & 0x10) ? 700 : 0;
    font.italic = (choice & 0x20) != 0;
    font.charset = (choice & 0x40) ? 0 : 1;
    font.typeface = kFaces[(choice >> 6) % std::size(kFaces)];
    return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const DialogFont font = ReplacementFont(data[0]);
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data + 1), size - 1);

    const std::optional<DialogTemplate> parsed = ParseDialogTemplate(bytes);
    const std::vector<std::byte> copy = WithDialogFont(bytes, font);
    if (!parsed || !parsed->extended) {
        FuzzCheck(copy.empty(), "only a well-formed extended template is copied");
        return 0;
    }
    FuzzCheck(!copy.empty(), "a well-formed extended template is copied");

    const std::optional<DialogTemplate> reparsed = ParseDialogTemplate(copy);
    FuzzCheck(reparsed.has_value(), "the copy parses");
    FuzzCheck(reparsed->extended, "the copy is in the extended form");
    FuzzCheck(reparsed->font == font, "the copy carries the replacement font");
    FuzzCheck(reparsed->style == (parsed->style | 0x40), "the copy's style gains DS_SETFONT only");

    DialogTemplate expected = *parsed;
    expected.style |= 0x40;
    expected.font = font;
    FuzzCheck(*reparsed == expected, "the copy keeps everything but the font");

    FuzzCheck(WithDialogFont(copy, font) == copy, "copying the copy changes nothing");
    return 0;
}
