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

#include "battery/battery_snapshot.h"
#include "common/fixed_text.h"
#include "framework/property_sheet_font.h"
#include "resources/dialog_template.h"
#include "resources/module_string_blocks_win32.h"
#include "resources/resolved_resource_win32.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "ui/dialog_controls_win32.h"
#include "ui/life_page_display.h"
#include "ui/status_page_display.h"

namespace {

UINT_PTR const kCloseTimer = 1;

struct Options {
    UINT templateId = 0;
    LANGID language = 0;
    bool sheetFont = false;
    bool fill = false;
    UINT seconds = 0;
};

// Sample values in the language's own words, shown the way the status page shows a snapshot.
// On battery, the one power kind that shows every field, the time row included.
void FillStatusPage(HWND dialog, const StringTable& strings) {
    DialogControls controls(dialog);
    InitializeStatusPage(strings, controls);
    BatterySnapshot snapshot{};
    snapshot.percent = 87;
    snapshot.powerKind = PowerKindOnBattery;
    const std::u16string time =
        u"2 " + LoadText(strings, IDS_UNIT_HOURS) + u" 15 " + LoadText(strings, IDS_UNIT_MINUTES);
    CopyText(snapshot.timeText, time);
    CopyText(snapshot.percentText, u"87%");
    CopyText(snapshot.stateText, LoadText(strings, IDS_STATE_DISCHARGING));
    CopyText(snapshot.deviceName, u"Bat 1");
    CopyText(snapshot.uniqueId, u"ID42");
    CopyText(snapshot.manufacturer, LoadText(strings, IDS_BRAND));
    CopyText(snapshot.chemistry, u"LION");
    CopyText(snapshot.healthText, LoadText(strings, IDS_HEALTH_END_OF_LIFE));
    StatusPictures pictures{};
    pictures[PowerKindOnBattery - 1] =
        LoadResolvedBitmap(GetModuleHandleW(nullptr), IDB_ON_BATTERY);
    ShowSnapshot(snapshot, pictures, controls);
}

void FillLifePage(HWND dialog, const StringTable& strings) {
    DialogControls controls(dialog);
    InitializeLifePage(strings, controls);
}

INT_PTR CALLBACK ViewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const Options& options = *reinterpret_cast<const Options*>(lParam);
            const ModuleStringBlocks blocks(GetModuleHandleW(nullptr), options.language);
            const BlockStringTable strings(blocks);
            if (options.fill && options.templateId == IDD_STATUS_PAGE) {
                FillStatusPage(dialog, strings);
            } else if (options.fill && options.templateId == IDD_LIFE_PAGE) {
                FillLifePage(dialog, strings);
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
        const std::optional<DialogFont> font = AfxGetPropertySheetFont();
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
