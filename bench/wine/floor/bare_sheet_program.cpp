// The floor of an opening: on each release of the battery key a modal PropertySheetW of
// Kestrum's own English page templates, the status page and the life page, read out of
// Kestrum.exe beside this program as data, with no logic behind them.
//
//   bench_bare_sheet
#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include <string>

#include "bench/wine/floor/bare_host_win32.h"
#include "resources/resource.h"

namespace {

HMODULE g_templates = nullptr;

INT_PTR CALLBACK NoPageLogic(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HMODULE LoadKestrumAsData() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(path.find_last_of(L'\\', length) + 1);
    path += L"Kestrum.exe";
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void RunBareSheet(HWND frame) {
    PROPSHEETPAGEW pages[2] = {};
    const WORD templateIds[2] = {IDD_STATUS_PAGE, IDD_LIFE_PAGE};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = g_templates;
        pages[i].pszTemplate = MAKEINTRESOURCEW(templateIds[i]);
        pages[i].pfnDlgProc = NoPageLogic;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = frame;
    header.hInstance = g_templates;
    header.pszCaption = L"Kestrum";
    header.nPages = 2;
    header.ppsp = pages;
    PropertySheetW(&header);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    g_templates = LoadKestrumAsData();
    if (g_templates == nullptr) return 1;
    return bench::RunBareHost(RunBareSheet);
}
