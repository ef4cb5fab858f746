#include "resources/dib_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "resources/byte_writer.h"

namespace {

struct Header {
    std::uint32_t size = 40;
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

// The header, padded to its stated size, then `tail` bytes for masks, colours and rows.
std::vector<std::byte> PackedDib(const Header& h, std::size_t tail) {
    ByteWriter out;
    out.PutU32(h.size).PutU32(static_cast<std::uint32_t>(h.width));
    out.PutU32(static_cast<std::uint32_t>(h.height)).PutU16(h.planes).PutU16(h.bitCount);
    out.PutU32(h.compression).PutU32(0).PutU32(2834).PutU32(2834).PutU32(h.colorsUsed).PutU32(0);
    while (out.Size() < h.size) out.PutU8(0);
    std::vector<std::byte> bytes = out.Take();
    bytes.resize(bytes.size() + tail);
    return bytes;
}

TEST(DibHeaderTest, FindsTheBits) {
    const struct {
        const char* what;
        Header header;
        std::size_t colorEntries, bitsOffset, rowStride, rowsSize;
    } cases[] = {
        {"24 bits, rows padded to four bytes", {}, 0, 40, 12, 24},
        {"8 bits, full colour table", {.bitCount = 8}, 256, 40 + 1024, 4, 8},
        {"4 bits, a short colour table", {.bitCount = 4, .colorsUsed = 5}, 5, 60, 4, 8},
        {"1 bit", {.width = 33, .bitCount = 1}, 2, 48, 8, 16},
        {"32 bits with masks after the header", {.bitCount = 32, .compression = 3}, 0, 52, 12, 24},
        {"32 bits, masks inside a larger header",
         {.size = 124, .bitCount = 32, .compression = 3},
         0,
         124,
         12,
         24},
        {"top-down", {.height = -2}, 0, 40, 12, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t tail = c.bitsOffset - c.header.size + c.rowsSize;
        const auto dib = ParseDibHeader(PackedDib(c.header, tail));
        ASSERT_TRUE(dib.has_value());
        EXPECT_EQ(dib->colorTableEntries, c.colorEntries);
        EXPECT_EQ(dib->bitsOffset, c.bitsOffset);
        EXPECT_EQ(dib->rowStride, c.rowStride);
        EXPECT_EQ(dib->height, 2);
        EXPECT_EQ(dib->topDown, c.header.height < 0);
        // One byte fewer and the last row no longer fits.
        EXPECT_FALSE(ParseDibHeader(PackedDib(c.header, tail - 1)).has_value());
    }
}

TEST(DibHeaderTest, RefusesWhatItCannotVouchFor) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* what;
        Header header;
    } cases[] = {
        {"core header", {.size = 12}},
        {"unknown header size", {.size = 64}},
        {"zero width", {.width = 0}},
        {"negative width", {.width = -3}},
        {"zero height", {.height = 0}},
        {"most negative height", {.height = kMin}},
        {"two planes", {.planes = 2}},
        {"unknown depth", {.bitCount = 7}},
        {"run-length compressed", {.bitCount = 8, .compression = 1}},
        {"masks with 24 bits", {.compression = 3}},
        {"more colours than the depth holds", {.bitCount = 4, .colorsUsed = 17}},
        {"colour table larger than the bytes", {.bitCount = 24, .colorsUsed = 0x40000000}},
        {"rows whose size overflows", {.width = kMax, .height = kMax, .bitCount = 32}},
        {"rows far past the end", {.width = 1, .height = kMax}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ParseDibHeader(PackedDib(c.header, 64)).has_value()) << c.what;
    }
}

TEST(DibHeaderTest, EveryCutOfTheHeaderYieldsNothing) {
    const std::vector<std::byte> full = PackedDib({}, 24);
    ASSERT_TRUE(ParseDibHeader(full).has_value());
    for (std::size_t size = 0; size < full.size(); ++size) {
        const std::vector<std::byte> cut(full.begin(), full.begin() + size);
        EXPECT_FALSE(ParseDibHeader(cut).has_value()) << size;
    }
}

}  // namespace
