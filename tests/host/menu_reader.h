// Test-only reader of a menu template (the old form the resource compiler writes for MENU).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct MenuItem {
    std::uint16_t flags = 0;    // without the end-of-level mark
    std::uint16_t command = 0;  // 0 for pop-ups and separators
    std::u16string text;
    std::vector<MenuItem> items;  // a pop-up's

    bool IsPopup() const { return (flags & 0x10) != 0; }
};

std::optional<std::vector<MenuItem>> ReadMenu(std::span<const std::byte> bytes);
