// Checking a packed device-independent bitmap (an info header, optional colour masks, a colour
// table, then the pixel rows), as a bitmap resource stores it, before anything hands its bits
// to the platform.
//
// Accepted: the 40-byte info header and its 108- and 124-byte successors, one plane, 1, 4, 8,
// 16, 24 or 32 bits per pixel, uncompressed or (16 and 32 bits) with colour masks. Anything
// else, and any bitmap whose colour table or rows do not fit in its bytes, gives nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive; see topDown
    bool topDown = false;     // stored with a negative height, first row on top
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;  // 0 uncompressed, 3 with colour masks
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;  // as stored; 0 means the full table for 8 bits or fewer
    std::uint32_t colorsImportant = 0;

    std::uint32_t colorTableEntries = 0;  // four bytes each, after the header and any masks
    std::size_t bitsOffset = 0;           // from the start of the packed bitmap
    std::size_t rowStride = 0;            // bytes per row, a multiple of four
};

std::optional<DibHeader> ParseDibHeader(std::span<const std::byte> packedDib);
