// A resource type or name, a menu, window class, caption or control title: an ordinal (stored
// as 0xFFFF and the value) or a zero-terminated UTF-16 text; neither when both are empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "resources/byte_cursor.h"

struct OrdinalOrText {
    std::optional<std::uint16_t> ordinal;
    std::u16string text;

    static OrdinalOrText Ordinal(std::uint16_t value) { return {value, {}}; }
    static OrdinalOrText Text(std::u16string value) { return {std::nullopt, std::move(value)}; }
    bool operator==(const OrdinalOrText&) const = default;
};

inline constexpr std::uint16_t kOrdinalMark = 0xFFFF;

// False when the bytes end first; `out` is then unspecified.
inline bool ReadOrdinalOrText(ByteCursor& in, OrdinalOrText& out) {
    std::uint16_t first = 0;
    if (!in.ReadU16(first)) return false;
    if (first == kOrdinalMark) {
        std::uint16_t ordinal = 0;
        if (!in.ReadU16(ordinal)) return false;
        out = OrdinalOrText::Ordinal(ordinal);
        return true;
    }
    out = {};
    if (first == 0) return true;
    std::u16string rest;
    if (!in.ReadTerminatedText(rest)) return false;
    out.text = static_cast<char16_t>(first) + rest;
    return true;
}
