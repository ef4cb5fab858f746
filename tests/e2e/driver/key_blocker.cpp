#include "tests/e2e/driver/key_blocker.h"

#include <atomic>

namespace e2e {
namespace {

std::atomic<DWORD> g_blockedScanCode{0};

LRESULT CALLBACK Swallow(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && key->scanCode == g_blockedScanCode) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

KeyBlocker::KeyBlocker(DWORD scanCode) {
    g_blockedScanCode = scanCode;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread(&KeyBlocker::Run, this, ready, GetThreadDesktop(GetCurrentThreadId()));
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

KeyBlocker::~KeyBlocker() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

void KeyBlocker::Run(HANDLE ready, HDESK desktop) {
    // Hooks belong to a desktop: the test's, which a new thread is not on by itself.
    SetThreadDesktop(desktop);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    m_threadId = GetCurrentThreadId();
    m_hook = SetWindowsHookExW(WH_KEYBOARD_LL, Swallow, GetModuleHandleW(nullptr), 0);
    SetEvent(ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
}

}  // namespace e2e
