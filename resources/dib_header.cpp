#include "resources/dib_header.h"

#include <cstdint>

#include "resources/byte_cursor.h"

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
// The 40-byte header keeps its three colour masks after itself; the later headers hold them.
constexpr std::size_t kSeparateMasksSize = 12;

bool IsSupportedDepth(std::uint16_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<DibHeader> ParseDibHeader(std::span<const std::byte> packedDib) {
    ByteCursor in(packedDib);
    DibHeader dib;
    std::int32_t storedHeight = 0;
    std::uint16_t planes = 0;
    if (!in.ReadU32(dib.headerSize) || !in.ReadI32(dib.width) || !in.ReadI32(storedHeight) ||
        !in.ReadU16(planes) || !in.ReadU16(dib.bitCount) || !in.ReadU32(dib.compression) ||
        !in.ReadU32(dib.sizeImage) || !in.ReadI32(dib.xPelsPerMeter) ||
        !in.ReadI32(dib.yPelsPerMeter) || !in.ReadU32(dib.colorsUsed) ||
        !in.ReadU32(dib.colorsImportant)) {
        return std::nullopt;
    }
    if (dib.headerSize != kInfoHeaderSize && dib.headerSize != kV4HeaderSize &&
        dib.headerSize != kV5HeaderSize) {
        return std::nullopt;
    }
    if (dib.width <= 0 || storedHeight == 0 || storedHeight == INT32_MIN || planes != 1 ||
        !IsSupportedDepth(dib.bitCount)) {
        return std::nullopt;
    }
    const bool masks = dib.compression == kBitFields;
    if (dib.compression != kUncompressed &&
        !(masks && (dib.bitCount == 16 || dib.bitCount == 32))) {
        return std::nullopt;
    }
    dib.topDown = storedHeight < 0;
    dib.height = dib.topDown ? -storedHeight : storedHeight;

    const std::uint64_t fullTable = dib.bitCount <= 8 ? std::uint64_t{1} << dib.bitCount : 0;
    if (dib.bitCount <= 8 && dib.colorsUsed > fullTable) return std::nullopt;
    dib.colorTableEntries =
        dib.colorsUsed != 0 ? dib.colorsUsed : static_cast<std::uint32_t>(fullTable);

    // 64-bit arithmetic: a width near the 32-bit limit times 32 bits still fits; the rows are
    // compared by division, since stride times height could not.
    const std::uint64_t bitsOffset =
        std::uint64_t{dib.headerSize} +
        (masks && dib.headerSize == kInfoHeaderSize ? kSeparateMasksSize : 0) +
        std::uint64_t{dib.colorTableEntries} * 4;
    const std::uint64_t rowStride =
        (static_cast<std::uint64_t>(dib.width) * dib.bitCount + 31) / 32 * 4;
    const std::uint64_t size = packedDib.size();
    if (bitsOffset > size ||
        static_cast<std::uint64_t>(dib.height) > (size - bitsOffset) / rowStride) {
        return std::nullopt;
    }
    dib.bitsOffset = static_cast<std::size_t>(bitsOffset);
    dib.rowStride = static_cast<std::size_t>(rowStride);
    return dib;
}
