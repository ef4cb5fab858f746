#include "resources/string_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Builds a block from sixteen entries; `cut` drops bytes from its end.
std::vector<std::byte> Block(const std::vector<std::u16string>& entries, std::size_t cut = 0) {
    std::vector<std::byte> bytes;
    auto put = [&bytes](std::uint16_t unit) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    };
    for (const auto& entry : entries) {
        put(static_cast<std::uint16_t>(entry.size()));
        for (char16_t unit : entry) put(unit);
    }
    bytes.resize(bytes.size() - cut);
    return bytes;
}

std::vector<std::u16string> Sixteen() {
    std::vector<std::u16string> entries(16);
    entries[0] = u"first";
    entries[5] = u"Idle";
    entries[15] = u"last";
    return entries;
}

TEST(StringBlockTest, Walk) {
    const auto full = Block(Sixteen());
    const struct {
        std::vector<std::byte> block;
        std::uint16_t id;
        bool found;
        std::u16string text;
    } cases[] = {
        {full, 128, true, u"first"},
        {full, 133, true, u"Idle"},
        {full, 143, true, u"last"},
        {full, 134, false, u""},                    // an empty entry is absent
        {Block(Sixteen(), 2), 143, false, u""},     // the last text runs past the end
        {Block(Sixteen(), 10), 143, false, u""},    // its length unit is gone too
        {Block(Sixteen(), 1), 133, true, u"Idle"},  // odd size: earlier entries still read
        {{}, 128, false, u""},
        {{std::byte{5}}, 128, false, u""},
    };
    for (const auto& c : cases) {
        std::u16string text = u"unchanged";
        EXPECT_EQ(FindStringInBlock(c.block, c.id, text), c.found) << c.id;
        EXPECT_EQ(text, c.found ? c.text : u"unchanged");
    }
}

TEST(StringBlockTest, HostileLengthsNeverReadPastTheBlock) {
    // Every entry claims the largest length: the walk leaves the block at once.
    std::vector<std::byte> block(64, std::byte{0xFF});
    for (std::uint16_t id = 0; id < 16; ++id) {
        std::u16string text;
        EXPECT_FALSE(FindStringInBlock(block, id, text));
    }
}

TEST(StringBlockTest, BlockNumbers) {
    EXPECT_EQ(StringBlockNumber(100), 7);
    EXPECT_EQ(StringBlockNumber(159), 10);
    EXPECT_EQ(StringBlockNumber(57344), 3585);
    EXPECT_EQ(StringBlockNumber(65535), 4096);
}

}  // namespace
