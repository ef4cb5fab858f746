// Test-only reader of an icon group and its images; the product hands both to the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct IconGroupEntry {
    int size = 0;  // pixels square; a stored 0 means 256
    std::uint16_t bitCount = 0;
    std::uint32_t bytes = 0;
    std::uint16_t imageId = 0;
};

std::optional<std::vector<IconGroupEntry>> ReadIconGroup(std::span<const std::byte> bytes);

// What one icon image holds: a PNG stream, or an info header over colour rows and an AND mask.
struct IconImage {
    bool png = false;
    int width = 0, height = 0;   // of the picture, not the doubled bitmap height
    std::uint16_t bitCount = 0;  // bitmaps only
};

// Nothing when the image is neither, or a bitmap's rows and mask do not fill it exactly.
std::optional<IconImage> ReadIconImage(std::span<const std::byte> bytes);
