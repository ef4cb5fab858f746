// Lookups in the resolved language, against the executable's own resources and the test
// language libraries.
#include "resources/resolved_resource_win32.h"

#include <gtest/gtest.h>

#include "resources/module_string_blocks_win32.h"
#include "resources/string_block.h"
#include "tests/win/language_libraries/language_library.h"

namespace {

constexpr std::uint16_t kOwnTitlesBlock = 9;  // identifiers 128 to 143

// Wine's FindResourceExW returns the exact language whenever it exists.
const void* ExactResource(HMODULE module, LPCWSTR type, UINT name, LANGID language) {
    HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(name), language);
    return info ? LockResource(LoadResource(module, info)) : nullptr;
}

std::u16string TextIn(std::span<const std::byte> block, std::uint16_t id) {
    std::u16string text = u"(not found)";
    FindStringInBlock(block, id, text);
    return text;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

int IconWidth(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return 0;
    const int width = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask).cx;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return width;
}

class ResolvedResourceWin32Test : public ::testing::Test {
protected:
    HMODULE executable = GetModuleHandleW(nullptr);
    LanguageLibrary marker{TestFolder() + L"marker_library.dll"};
    LanguageLibrary damaged{TestFolder() + L"damaged_library.dll"};
};

TEST_F(ResolvedResourceWin32Test, StringBlockComesFromTheResolvedLanguage) {
    const struct {
        LANGID userInterface;
        LANGID read;
    } cases[] = {
        {0x0407, 0x0007}, {0x0C07, 0x0007}, {0x0416, 0x0016}, {0x040A, 0x040A}, {0x080A, 0x000A},
        {0x040C, 0x000C}, {0x0401, 0x0001}, {0x0C04, 0x0409}, {0x0413, 0x0409}, {0x0000, 0x0409},
    };
    for (const auto& c : cases) {
        const std::span<const std::byte> block = FindResolvedResource(
            executable, RT_STRING, MAKEINTRESOURCEW(kOwnTitlesBlock), c.userInterface);
        EXPECT_EQ(block.data(), ExactResource(executable, RT_STRING, kOwnTitlesBlock, c.read))
            << std::hex << c.userInterface;
    }
}

TEST_F(ResolvedResourceWin32Test, LanguagesOutsideTheChainAreNeverRead) {
    ASSERT_NE(marker.get(), nullptr);
    constexpr std::uint16_t kGermanOnlyBlock = 11;
    // German is neither Dutch, nor its primary language, nor English.
    EXPECT_TRUE(
        FindResolvedResource(marker.get(), RT_STRING, MAKEINTRESOURCEW(kGermanOnlyBlock), 0x0413)
            .empty());
    EXPECT_EQ(TextIn(FindResolvedResource(marker.get(), RT_STRING,
                                          MAKEINTRESOURCEW(kGermanOnlyBlock), 0x0C07),
                     160),
              u"Nur deutsch");
}

TEST_F(ResolvedResourceWin32Test, BlockIsNeverMixedFromTwoLanguages) {
    ASSERT_NE(marker.get(), nullptr);
    const std::span<const std::byte> german =
        FindResolvedResource(marker.get(), RT_STRING, MAKEINTRESOURCEW(kOwnTitlesBlock), 0x0407);
    EXPECT_EQ(TextIn(german, 129), u"Markierung Status");
    // Only the English block has 128; the German one must not borrow it.
    EXPECT_EQ(TextIn(german, 128), u"(not found)");
}

TEST_F(ResolvedResourceWin32Test, TruncatedBlockYieldsWhatItHoldsAndNothingBeyond) {
    ASSERT_NE(damaged.get(), nullptr);
    const ModuleStringBlocks blocks(damaged.get());
    const BlockStringTable strings(blocks);
    EXPECT_EQ(LoadText(strings, 128), u"Kestrum");
    for (std::uint16_t id : {129, 130, 143}) {
        std::u16string text = u"kept";
        EXPECT_FALSE(strings.Load(id, text)) << id;
        EXPECT_EQ(text, u"kept") << id;
    }
    EXPECT_EQ(LoadText(strings, 150), u"") << "a block the library lacks";
}

TEST_F(ResolvedResourceWin32Test, BitmapIsBuiltFromTheResourceBytes) {
    ASSERT_NE(marker.get(), nullptr);
    HBITMAP bitmap = LoadResolvedBitmap(marker.get(), 133);
    ASSERT_NE(bitmap, nullptr);
    const SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 2);
    DeleteObject(bitmap);
}

TEST_F(ResolvedResourceWin32Test, DamagedOrMissingPictureGivesNoBitmap) {
    ASSERT_NE(damaged.get(), nullptr);
    EXPECT_EQ(LoadResolvedBitmap(damaged.get(), 133), nullptr) << "rows missing";
    EXPECT_EQ(LoadResolvedBitmap(damaged.get(), 134), nullptr) << "header cut";
    EXPECT_EQ(LoadResolvedBitmap(damaged.get(), 135), nullptr) << "absent";
    EXPECT_EQ(LoadResolvedBitmap(marker.get(), 137), nullptr) << "absent";
}

TEST_F(ResolvedResourceWin32Test, IconImageFitsTheRequestedSize) {
    ASSERT_NE(marker.get(), nullptr);
    for (int size : {16, 32, 48, 256}) {
        HICON icon = LoadResolvedIcon(marker.get(), 128, size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(IconWidth(icon), size);
        DestroyIcon(icon);
    }
}

TEST_F(ResolvedResourceWin32Test, DamagedOrMissingIconGivesNone) {
    ASSERT_NE(damaged.get(), nullptr);
    EXPECT_EQ(LoadResolvedIcon(damaged.get(), 128, 32), nullptr) << "image absent";
    EXPECT_EQ(LoadResolvedIcon(damaged.get(), 129, 32), nullptr) << "group absent";
    EXPECT_EQ(LoadResolvedIcon(marker.get(), 129, 16), nullptr) << "group absent";
}

}  // namespace
