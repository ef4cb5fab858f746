#include "framework/property_sheet_font.h"

#include <windows.h>

#include "common/fixed_text.h"
#include "resources/resolved_resource_win32.h"

namespace {

constexpr WORD kPropertySheetTemplate = 1006;
constexpr wchar_t kJapaneseSheetFace[] = L"MS UI Gothic";

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    FixedText(reinterpret_cast<char16_t*>(wanted.lfFaceName), std::size(wanted.lfFaceName))
        .Append(reinterpret_cast<const char16_t*>(face));
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

std::optional<DialogFont> AfxGetPropertySheetFont() {
    HMODULE commonControls = GetModuleHandleW(L"comctl32.dll");
    if (commonControls == nullptr) return std::nullopt;
    HRSRC info = nullptr;
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE &&
        FontInstalled(kJapaneseSheetFace)) {
        info = FindResourceExW(commonControls, RT_DIALOG, MAKEINTRESOURCEW(kPropertySheetTemplate),
                               MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    }
    if (info == nullptr) {
        info = FindResourceW(commonControls, MAKEINTRESOURCEW(kPropertySheetTemplate), RT_DIALOG);
    }
    const std::optional<DialogTemplate> sheet =
        ParseDialogTemplate(ResourceBytes(commonControls, info));
    if (!sheet) return std::nullopt;
    return sheet->font;
}
