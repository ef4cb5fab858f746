#include "tests/host/icon_group_reader.h"

#include <algorithm>
#include <array>

#include "resources/byte_cursor.h"

namespace {

std::uint32_t BigEndian32(std::span<const std::byte> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | std::to_integer<std::uint32_t>(bytes[at + i]);
    return value;
}

std::size_t RowBytes(int width, int bitCount) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
}

}  // namespace

std::optional<std::vector<IconGroupEntry>> ReadIconGroup(std::span<const std::byte> bytes) {
    ByteCursor in(bytes);
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!in.ReadU16(reserved) || !in.ReadU16(type) || !in.ReadU16(count) || type != 1) {
        return std::nullopt;
    }
    std::vector<IconGroupEntry> entries(count);
    for (IconGroupEntry& entry : entries) {
        std::uint8_t width = 0, height = 0, colors = 0, zero = 0;
        std::uint16_t planes = 0;
        if (!in.ReadU8(width) || !in.ReadU8(height) || !in.ReadU8(colors) || !in.ReadU8(zero) ||
            !in.ReadU16(planes) || !in.ReadU16(entry.bitCount) || !in.ReadU32(entry.bytes) ||
            !in.ReadU16(entry.imageId) || width != height) {
            return std::nullopt;
        }
        entry.size = width == 0 ? 256 : width;
    }
    if (in.Remaining() != 0) return std::nullopt;
    return entries;
}

std::optional<IconImage> ReadIconImage(std::span<const std::byte> bytes) {
    // The signature and the length and name of the first chunk, which holds the size.
    constexpr std::array<unsigned char, 16> kPngStart{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                      0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    if (bytes.size() >= 24 &&
        std::equal(kPngStart.begin(), kPngStart.end(), bytes.begin(),
                   [](unsigned char a, std::byte b) { return std::byte{a} == b; })) {
        return IconImage{true, static_cast<int>(BigEndian32(bytes, 16)),
                         static_cast<int>(BigEndian32(bytes, 20)), 0};
    }
    ByteCursor in(bytes);
    std::uint32_t headerSize = 0, compression = 0, sizeImage = 0, colorsUsed = 0;
    std::int32_t width = 0, doubledHeight = 0, xPels = 0, yPels = 0;
    std::uint16_t planes = 0, bitCount = 0;
    if (!in.ReadU32(headerSize) || !in.ReadI32(width) || !in.ReadI32(doubledHeight) ||
        !in.ReadU16(planes) || !in.ReadU16(bitCount) || !in.ReadU32(compression) ||
        !in.ReadU32(sizeImage) || !in.ReadI32(xPels) || !in.ReadI32(yPels) ||
        !in.ReadU32(colorsUsed) || headerSize != 40 || planes != 1 || compression != 0 ||
        width <= 0 || width > 256 || doubledHeight != 2 * width) {
        return std::nullopt;
    }
    const std::size_t colors = colorsUsed != 0 ? colorsUsed : bitCount <= 8 ? 1u << bitCount : 0;
    const std::size_t expected =
        headerSize + colors * 4 + (RowBytes(width, bitCount) + RowBytes(width, 1)) * width;
    if (bytes.size() != expected) return std::nullopt;
    return IconImage{false, width, width, bitCount};
}
