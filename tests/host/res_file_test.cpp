#include "resources/res_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/host/fakes.h"

namespace {

TEST(ResFileTest, ReadsTheProductResources) {
    const ResFile& file = ProductResources();
    EXPECT_FALSE(file.Entries().empty());
    // Block 9 (texts 128 to 143) exists in every language, each exactly once and sorted.
    const std::vector<std::uint16_t> languages = file.Languages(6, 9);
    EXPECT_EQ(languages.size(), 17u);
    EXPECT_TRUE(std::is_sorted(languages.begin(), languages.end()));
    EXPECT_NE(file.Find(6, 9, 0x0007), nullptr);
    EXPECT_EQ(file.Find(6, 9, 0x0407), nullptr);
}

TEST(ResFileTest, RejectsMalformedFiles) {
    const std::vector<std::byte> good = ReadFileBytes(KESTRUM_RES_PATH);
    ASSERT_GT(good.size(), 64u);
    auto withWord = [&good](std::size_t offset, std::uint32_t value) {
        std::vector<std::byte> bytes = good;
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::byte>(value >> (8 * i));
        return bytes;
    };
    const std::vector<std::byte> cases[] = {
        {good.begin(), good.begin() + 7},  // cut inside a header
        withWord(32, 0x7FFFFFF0),          // second entry's data runs past the end
        withWord(36, 8),                   // header smaller than its fixed fields
        withWord(36, 0xFFFFFFF0),          // header larger than the file
    };
    for (const auto& bytes : cases) EXPECT_FALSE(ResFile::Parse(bytes).has_value());
}

TEST(ResFileTest, CutFilesNeverReadPastTheirEnd) {
    // Every entry is read by the same walk, so cuts through the first entries and through the
    // last one cover every place a header or its data can end early.
    const std::vector<std::byte> good = ReadFileBytes(KESTRUM_RES_PATH);
    const std::size_t head = std::min<std::size_t>(good.size(), 4096);
    for (std::size_t size = 0; size <= good.size();
         size = size < head ? size + 1 : std::max(size + 1, good.size() - 64)) {
        const std::vector<std::byte> cut(good.begin(), good.begin() + size);
        const auto file = ResFile::Parse(cut);
        if (!file) continue;
        for (const ResEntry& entry : file->Entries()) {
            EXPECT_LE(entry.data.data() + entry.data.size(), cut.data() + cut.size());
        }
    }
}

}  // namespace
