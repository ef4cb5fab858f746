// Developer tool: shows one of the product's dialog templates as a user of one language would
// get it (the template and texts resolved as the program resolves them), as a plain modal
// dialog made from the template's bytes, so its layout can be looked at (and photographed)
// before any page code runs.
//
//   dialogview TEMPLATE LANGID [--sheet-font] [--fill] [--seconds N]
//
//   LANGID        the user-interface language, in hexadecimal
//   --sheet-font  replace the template's font with the property sheet's, as the sheet does
//   --fill        labels from that language's string table, sample values, the bar at 87 %
//                 and the charging picture, instead of the stored placeholder texts
//   --seconds N   close by itself after N seconds
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/resolved_resource_win32.h"
#include "resources/resource.h"
#include "resources/string_block.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

UINT_PTR const kCloseTimer = 1;
// comctl32's own property-sheet template, whose font every page is given.
WORD const kPropertySheetTemplate = 1006;

struct Options {
    UINT templateId = 0;
    LANGID language = 0;
    bool sheetFont = false;
    bool fill = false;
    UINT seconds = 0;
};

std::span<const std::byte> ResourceBytes(HMODULE module, HRSRC info) {
    const void* data = info ? LockResource(LoadResource(module, info)) : nullptr;
    return {static_cast<const std::byte*>(data), data ? SizeofResource(module, info) : 0};
}

std::optional<DialogFont> PropertySheetFont() {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (!comctl) return std::nullopt;
    const std::span<const std::byte> bytes = ResourceBytes(
        comctl, FindResourceW(comctl, MAKEINTRESOURCEW(kPropertySheetTemplate), RT_DIALOG));
    const std::optional<DialogTemplate> sheet = ParseDialogTemplate(bytes);
    if (!sheet) return std::nullopt;
    return sheet->font;
}

std::wstring Text(LANGID language, UINT id) {
    std::u16string text;
    FindStringInBlock(FindResolvedResource(GetModuleHandleW(nullptr), RT_STRING,
                                           MAKEINTRESOURCEW(StringBlockNumber(id)), language),
                      static_cast<std::uint16_t>(id), text);
    return {text.begin(), text.end()};
}

void FillStatusPage(HWND dialog, LANGID language) {
    const struct {
        int control;
        UINT text;
    } fromTable[] = {
        {IDC_LABEL_STATUS, IDS_LABEL_BATTERY_STATUS},
        {IDC_LABEL_TIME, IDS_LABEL_REMAINING},
        {IDC_LABEL_NAME, IDS_LABEL_NAME},
        {IDC_LABEL_IDENTIFIER, IDS_LABEL_IDENTIFIER},
        {IDC_LABEL_MANUFACTURER, IDS_LABEL_MANUFACTURER},
        {IDC_LABEL_CHEMISTRY, IDS_LABEL_CHEMISTRY},
        {IDC_STATE_TEXT, IDS_STATE_CHARGING},
        {IDC_MANUFACTURER_TEXT, IDS_BRAND},
        {IDC_HEALTH_TEXT, IDS_HEALTH_END_OF_LIFE},
    };
    for (const auto& f : fromTable)
        SetDlgItemTextW(dialog, f.control, Text(language, f.text).c_str());
    const std::wstring time =
        L"2 " + Text(language, IDS_UNIT_HOURS) + L" 15 " + Text(language, IDS_UNIT_MINUTES);
    SetDlgItemTextW(dialog, IDC_TIME_TEXT, time.c_str());
    SetDlgItemTextW(dialog, IDC_PERCENT_TEXT, L"87%");
    SetDlgItemTextW(dialog, IDC_NAME_TEXT, L"Bat 1");
    SetDlgItemTextW(dialog, IDC_IDENTIFIER_TEXT, L"ID42");
    SetDlgItemTextW(dialog, IDC_CHEMISTRY_TEXT, L"LION");
    SendDlgItemMessageW(dialog, IDC_BATTERY_BAR, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessageW(dialog, IDC_BATTERY_BAR, PBM_SETPOS, 87, 0);
    HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CHARGING));
    SendDlgItemMessageW(dialog, IDC_STATUS_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
}

void FillLifePage(HWND dialog, LANGID language) {
    SetDlgItemTextW(dialog, IDC_CHARGE_GROUP, Text(language, IDS_CHARGE_GROUP).c_str());
    SetDlgItemTextW(dialog, IDC_DISABLE_CHARGING, Text(language, IDS_CHARGE_CHECK).c_str());
    SetDlgItemTextW(dialog, IDC_CHARGE_NOTE, Text(language, IDS_CHARGE_NOTE).c_str());
}

INT_PTR CALLBACK ViewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const Options& options = *reinterpret_cast<const Options*>(lParam);
            if (options.fill && options.templateId == IDD_STATUS_PAGE) {
                FillStatusPage(dialog, options.language);
            } else if (options.fill && options.templateId == IDD_LIFE_PAGE) {
                FillLifePage(dialog, options.language);
            }
            if (options.seconds) SetTimer(dialog, kCloseTimer, options.seconds * 1000, nullptr);
            return TRUE;
        }
        case WM_TIMER:
            EndDialog(dialog, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

std::optional<Options> ParseOptions() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return std::nullopt;
    std::vector<std::wstring> words(args + 1, args + count);
    LocalFree(args);
    if (words.size() < 2) return std::nullopt;
    Options options;
    options.templateId = static_cast<UINT>(std::wcstoul(words[0].c_str(), nullptr, 0));
    options.language = static_cast<LANGID>(std::wcstoul(words[1].c_str(), nullptr, 16));
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == L"--sheet-font") {
            options.sheetFont = true;
        } else if (words[i] == L"--fill") {
            options.fill = true;
        } else if (words[i] == L"--seconds" && i + 1 < words.size()) {
            options.seconds = static_cast<UINT>(std::wcstoul(words[++i].c_str(), nullptr, 10));
        } else {
            return std::nullopt;
        }
    }
    return options;
}

int Fail(const wchar_t* message) {
    MessageBoxW(nullptr, message, L"dialogview", MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::optional<Options> options = ParseOptions();
    if (!options) {
        return Fail(L"dialogview TEMPLATE LANGID [--sheet-font] [--fill] [--seconds N]");
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    const std::span<const std::byte> stored = FindResolvedResource(
        instance, RT_DIALOG, MAKEINTRESOURCEW(options->templateId), options->language);
    if (stored.empty()) return Fail(L"No such template.");
    std::vector<std::byte> bytes(stored.begin(), stored.end());
    if (options->sheetFont) {
        const std::optional<DialogFont> font = PropertySheetFont();
        if (!font) return Fail(L"The property sheet's font cannot be read.");
        bytes = WithDialogFont(stored, *font);
        if (bytes.empty()) return Fail(L"The template is malformed.");
    }
    // Templates are read in words and double words: hand the dialog manager an aligned copy.
    std::vector<DWORD> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    const INT_PTR result =
        DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data()),
                                nullptr, ViewProc, reinterpret_cast<LPARAM>(&*options));
    return result == -1 ? Fail(L"The dialog manager refused the template.") : 0;
}
