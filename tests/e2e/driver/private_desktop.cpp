#include "tests/e2e/driver/private_desktop.h"

#include <windows.h>

namespace e2e {
namespace {

constexpr wchar_t kDesktopName[] = L"KestrumE2E";

std::wstring& EnteredDesktop() {
    static std::wstring name;
    return name;
}

}  // namespace

bool EnterPrivateDesktop(int width, int height) {
    HDESK desktop = CreateDesktopW(kDesktopName, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop == nullptr) return false;

    // Wine makes a desktop virtual only when its explorer is given a size. Left to itself,
    // the first window on the desktop would start one without a size, drawn on the bare root
    // window, so start it first and wait until it serves the desktop.
    std::wstring commandLine = L"explorer.exe /desktop=" + std::wstring(kDesktopName) + L"," +
                               std::to_wstring(width) + L"x" + std::to_wstring(height);
    std::wstring child = L"WinSta0\\" + std::wstring(kDesktopName);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.lpDesktop = child.data();
    PROCESS_INFORMATION explorer = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &explorer)) {
        CloseDesktop(desktop);
        return false;
    }
    const bool serving = WaitForInputIdle(explorer.hProcess, 10000) == 0;
    CloseHandle(explorer.hThread);
    CloseHandle(explorer.hProcess);
    if (!serving || !SetThreadDesktop(desktop)) {
        CloseDesktop(desktop);
        return false;
    }
    EnteredDesktop() = child;
    return true;
}

std::wstring ChildDesktop() { return EnteredDesktop(); }

}  // namespace e2e
