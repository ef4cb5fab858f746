// Dialog templates as plain data: both the extended form (first word 1, second 0xFFFF) and the
// old form, which the common-controls library still uses for its own property-sheet template.
//
// Templates may come from a language library or a system library we did not build, so parsing
// trusts nothing: malformed or cut bytes give no template, and nothing is ever read past the
// end of the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/ordinal_or_text.h"

// The old form stores only the size and the face; the other fields then hold what the platform
// assumes for it (weight 0, not italic, the default character set 1).
struct DialogFont {
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    bool italic = false;
    std::uint8_t charset = 1;
    std::u16string typeface;

    bool operator==(const DialogFont&) const = default;
};

struct DialogControl {
    std::uint32_t helpId = 0;  // extended form only
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    // The old form stores a 16-bit identifier; it is sign-extended so that the "never
    // addressed" identifier reads -1 in both forms.
    std::int32_t id = 0;
    OrdinalOrText windowClass;  // ordinals 0x80 to 0x85: button, edit, static, list, scroll, combo
    OrdinalOrText title;
    std::vector<std::byte> creationData;

    bool operator==(const DialogControl&) const = default;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0;  // extended form only
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    OrdinalOrText menu;
    OrdinalOrText windowClass;
    OrdinalOrText caption;
    std::optional<DialogFont> font;  // present exactly when the style has DS_SETFONT (0x40)
    std::vector<DialogControl> controls;

    bool operator==(const DialogTemplate&) const = default;
};

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> bytes);

// A copy of an extended template with its font replaced (and DS_SETFONT set), laid out afresh
// so that every control starts on a four-byte boundary again. Empty when the bytes are not a
// well-formed extended template.
std::vector<std::byte> WithDialogFont(std::span<const std::byte> extendedTemplate,
                                      const DialogFont& font);
