// The product's resources as the platform's own loaders see them in the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <span>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/resource.h"

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

// Wine's FindResourceExW falls back to other languages, so the exact set comes from the
// enumeration.
std::vector<WORD> Languages(HMODULE module, LPCWSTR type, UINT id) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, type, MAKEINTRESOURCEW(id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    std::sort(languages.begin(), languages.end());
    return languages;
}

std::span<const std::byte> Bytes(HMODULE module, LPCWSTR type, UINT id, WORD language) {
    HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    if (!info) return {};
    const void* data = LockResource(LoadResource(module, info));
    return {static_cast<const std::byte*>(data), SizeofResource(module, info)};
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

class ResourcesWin32Test : public ::testing::Test {
protected:
    HMODULE module = GetModuleHandleW(nullptr);
};

TEST_F(ResourcesWin32Test, EachTemplateLoadsInEachOfItsLanguages) {
    const struct {
        UINT id;
        std::vector<std::pair<WORD, int>> languageWidths;
    } templates[] = {
        {IDD_STATUS_PAGE,
         {{0x0001, 255},
          {0x0007, 262},
          {0x000A, 265},
          {0x0010, 265},
          {0x0016, 267},
          {0x0409, 255},
          {0x040A, 255},
          {0x040E, 255},
          {0x0419, 265}}},
        {IDD_LIFE_PAGE, {{0x0001, 255}, {0x0409, 255}}},
        {IDD_ABOUTBOX, {{0x0409, 235}}},
    };
    for (const auto& t : templates) {
        std::vector<WORD> expected;
        for (const auto& [language, width] : t.languageWidths) expected.push_back(language);
        EXPECT_EQ(Languages(module, RT_DIALOG, t.id), expected) << t.id;
        for (const auto& [language, width] : t.languageWidths) {
            SCOPED_TRACE(::testing::Message()
                         << "template " << t.id << " language " << std::hex << language);
            const auto dialog = ParseDialogTemplate(Bytes(module, RT_DIALOG, t.id, language));
            ASSERT_TRUE(dialog.has_value());
            EXPECT_EQ(dialog->cx, width);
            EXPECT_EQ((dialog->exStyle & WS_EX_LAYOUTRTL) != 0, language == 0x0001);
        }
    }
}

TEST_F(ResourcesWin32Test, EachBitmapLoadsAtItsSize) {
    const struct {
        UINT id;
        SIZE size;
    } bitmaps[] = {{IDB_CHARGING, {60, 59}},
                   {IDB_CHARGE_OFF, {60, 59}},
                   {IDB_NO_BATTERY, {60, 29}},
                   {IDB_ON_BATTERY, {40, 78}}};
    for (const auto& b : bitmaps) {
        HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(b.id));
        ASSERT_NE(bitmap, nullptr) << b.id;
        const SIZE size = BitmapSize(bitmap);
        EXPECT_EQ(size.cx, b.size.cx) << b.id;
        EXPECT_EQ(size.cy, b.size.cy) << b.id;
        DeleteObject(bitmap);
    }
}

TEST_F(ResourcesWin32Test, IconLoadsAtSixteenAndThirtyTwoPixels) {
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        ASSERT_NE(info.hbmColor, nullptr) << size;
        EXPECT_EQ(BitmapSize(info.hbmColor).cx, size);
        EXPECT_EQ(BitmapSize(info.hbmColor).cy, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

}  // namespace
