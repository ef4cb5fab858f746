// The four status pictures and the icon as compiled.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resources/dib_header.h"
#include "resources/resource.h"
#include "tests/host/fakes.h"
#include "tests/host/icon_group_reader.h"

namespace {

constexpr std::uint16_t kBitmapType = 2, kIconType = 3, kIconGroupType = 14;

struct Rgb {
    int r, g, b;
};

// Rough colour families, enough to tell the pictures' parts apart.
bool IsRed(Rgb c) { return c.r > 160 && c.g < 90 && c.b < 90; }
bool IsGreen(Rgb c) { return c.g > 100 && c.g > c.r + 40 && c.g > c.b + 40; }
bool IsDarkBlue(Rgb c) { return c.b > 80 && c.b > c.r + 40 && c.g < 110; }
bool IsYellow(Rgb c) { return c.r > 200 && c.g > 160 && c.b < 100; }
bool IsWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }

class Picture {
public:
    Picture(std::span<const std::byte> bytes, const DibHeader& dib) : m_bytes(bytes), m_dib(dib) {}

    // Counted from the top left, whichever way the rows are stored.
    Rgb At(int x, int y) const {
        const int row = m_dib.topDown ? y : m_dib.height - 1 - y;
        const std::size_t at = m_dib.bitsOffset + static_cast<std::size_t>(row) * m_dib.rowStride +
                               static_cast<std::size_t>(x) * 3;
        auto byte = [&](std::size_t i) { return std::to_integer<int>(m_bytes[at + i]); };
        return {byte(2), byte(1), byte(0)};
    }
    bool Any(bool (*family)(Rgb)) const {
        for (int y = 0; y < m_dib.height; ++y) {
            for (int x = 0; x < m_dib.width; ++x) {
                if (family(At(x, y))) return true;
            }
        }
        return false;
    }

private:
    std::span<const std::byte> m_bytes;
    DibHeader m_dib;
};

TEST(PictureResourcesTest, StatusPictures) {
    const struct {
        std::uint16_t id;
        int width, height;
        bool battery, bolt, plug, prohibition;
    } pictures[] = {
        {IDB_CHARGING, 60, 59, true, true, true, false},
        {IDB_CHARGE_OFF, 60, 59, true, true, true, true},
        {IDB_NO_BATTERY, 60, 29, false, false, true, false},
        {IDB_ON_BATTERY, 40, 78, true, true, false, false},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.id);
        EXPECT_EQ(ProductResources().Languages(kBitmapType, p.id),
                  std::vector<std::uint16_t>{0x0409});
        const ResEntry* entry = ProductResources().Find(kBitmapType, p.id, 0x0409);
        ASSERT_NE(entry, nullptr);
        const auto dib = ParseDibHeader(entry->data);
        ASSERT_TRUE(dib.has_value());
        EXPECT_EQ(dib->headerSize, 40u);
        EXPECT_EQ(dib->width, p.width);
        EXPECT_EQ(dib->height, p.height);
        EXPECT_FALSE(dib->topDown);
        EXPECT_EQ(dib->bitCount, 24);
        EXPECT_EQ(dib->compression, 0u);
        EXPECT_EQ(dib->xPelsPerMeter, 2834);
        EXPECT_EQ(dib->yPelsPerMeter, 2834);
        EXPECT_EQ(dib->colorTableEntries, 0u);
        EXPECT_EQ(entry->data.size(), dib->bitsOffset + dib->rowStride * p.height);

        const Picture picture(entry->data, *dib);
        for (auto [x, y] :
             {std::pair{0, 0}, {p.width - 1, 0}, {0, p.height - 1}, {p.width - 1, p.height - 1}}) {
            EXPECT_TRUE(IsWhite(picture.At(x, y))) << "corner " << x << "," << y;
        }
        EXPECT_EQ(picture.Any(IsDarkBlue), p.battery);
        EXPECT_EQ(picture.Any(IsYellow), p.bolt);
        EXPECT_EQ(picture.Any(IsGreen), p.plug);
        EXPECT_EQ(picture.Any(IsRed), p.prohibition);
    }
}

TEST(PictureResourcesTest, IconHoldsFifteenImagesByDepthThenSize) {
    EXPECT_EQ(ProductResources().Languages(kIconGroupType, IDR_MAINFRAME),
              std::vector<std::uint16_t>{0x0409});
    const ResEntry* group = ProductResources().Find(kIconGroupType, IDR_MAINFRAME, 0x0409);
    ASSERT_NE(group, nullptr);
    const auto entries = ReadIconGroup(group->data);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 15u);
    std::set<std::uint16_t> imageIds;
    std::size_t i = 0;
    for (std::uint16_t depth : {4, 8, 32}) {
        for (int size : {256, 48, 32, 24, 16}) {
            const IconGroupEntry& entry = (*entries)[i++];
            SCOPED_TRACE(::testing::Message()
                         << "entry " << i << ": " << size << " px, " << depth << " bits");
            EXPECT_EQ(entry.size, size);
            EXPECT_EQ(entry.bitCount, depth);
            imageIds.insert(entry.imageId);
            const ResEntry* image = ProductResources().Find(kIconType, entry.imageId, 0x0409);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->data.size(), entry.bytes);
            const auto contents = ReadIconImage(image->data);
            ASSERT_TRUE(contents.has_value());
            EXPECT_EQ(contents->png, size == 256);
            EXPECT_EQ(contents->width, size);
            EXPECT_EQ(contents->height, size);
            if (!contents->png) {
                EXPECT_EQ(contents->bitCount, depth);
            }
        }
    }
    EXPECT_EQ(imageIds.size(), 15u);
}

}  // namespace
