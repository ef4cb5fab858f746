#include "app/keyboard_hook.h"

#include "app/hotkey_filter.h"
#include "app/main_frame.h"
#include "framework/win_app.h"

HHOOK g_hKeyboardHook = nullptr;

void RemoveKeyboardHook() {
    if (g_hKeyboardHook == nullptr) return;
    UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
}

bool InstallKeyboardHook() {
    RemoveKeyboardHook();
    g_hKeyboardHook =
        SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleW(nullptr), 0);
    return g_hKeyboardHook != nullptr;
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    PostMessageW(nullptr, WM_APP_HOTKEY, event->flags, static_cast<LPARAM>(event->scanCode));
    // The main window is the frame for as long as it exists; before and after it there is
    // no timer to arm.
    if (auto* pFrame = static_cast<CMainFrame*>(AfxGetMainWnd())) pFrame->ArmHookTimer();
    return CallNextHookEx(g_hKeyboardHook, code, wParam, lParam);
}
