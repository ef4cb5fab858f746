#include "bench/wine/floor/bare_host_win32.h"

#include <commctrl.h>
#include <ole2.h>
#include <setupapi.h>

#include <cstdint>

#include "app/hotkey_filter.h"
#include "qelt/qelt.h"

namespace bench {
namespace {

constexpr wchar_t kFrameClass[] = L"Afx:00400000:0";
constexpr wchar_t kFrameTitle[] = L"Kestrum";
constexpr wchar_t kCloseEventName[] = L"KestrumCloseEvent";

HHOOK g_hook = nullptr;

LRESULT CALLBACK ChainingHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    PostMessageW(nullptr, WM_APP_HOTKEY, event->flags, static_cast<LPARAM>(event->scanCode));
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

DWORD WINAPI WatchCloseEvent(LPVOID frame) {
    HANDLE closeEvent = CreateEventW(nullptr, FALSE, FALSE, kCloseEventName);
    if (closeEvent == nullptr) return 1;
    WaitForSingleObject(closeEvent, INFINITE);
    PostMessageW(static_cast<HWND>(frame), WM_CLOSE, 0, 0);
    CloseHandle(closeEvent);
    return 0;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Kestrum imports both libraries, so the loader maps them at its start; a reference to one
// entry point of each keeps them in this program's import table too.
void KeepImports() {
    static volatile std::uintptr_t kept[] = {
        reinterpret_cast<std::uintptr_t>(&SetupDiDestroyDeviceInfoList),
        reinterpret_cast<std::uintptr_t>(&QeltEvaluate),
    };
    (void)kept;
}

}  // namespace

int RunBareHost(BatteryKeyHandler onBatteryKey) {
    KeepImports();
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    if (FAILED(OleInitialize(nullptr))) return 1;

    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof(frameClass);
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = kFrameClass;
    HWND frame = RegisterClassExW(&frameClass) != 0
                     ? CreateWindowExW(0, kFrameClass, kFrameTitle, WS_CAPTION, CW_USEDEFAULT, 0,
                                       CW_USEDEFAULT, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr)
                     : nullptr;
    if (frame == nullptr) return 1;
    g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, ChainingHook, GetModuleHandleW(nullptr), 0);
    HANDLE watcher = CreateThread(nullptr, 0, WatchCloseEvent, frame, 0, nullptr);
    if (g_hook == nullptr || watcher == nullptr) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == WM_APP_HOTKEY) {
            const bool batteryKey =
                ClassifyPreFilterMessage(message.message, message.wParam, message.lParam) ==
                PreFilterStep::BatteryKey;
            if (batteryKey && onBatteryKey != nullptr) onBatteryKey(frame);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(g_hook);
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    OleUninitialize();
    return 0;
}

}  // namespace bench
