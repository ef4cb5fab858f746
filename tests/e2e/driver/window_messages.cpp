#include "tests/e2e/driver/window_messages.h"

namespace e2e {

std::optional<LRESULT> SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              Milliseconds timeout) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                             static_cast<UINT>(timeout.count()), &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

bool PostTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageW(window, message, wParam, lParam) != FALSE;
}

bool PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostThreadMessageW(threadId, message, wParam, lParam) != FALSE;
}

// A user's click arrives as posted mouse messages, so the owner's message loop wakes up and
// looks again whether its modal run has ended. BM_CLICK from another process is a sent
// message, handled inside the owner's wait without waking it; the posted WM_NULL stands in
// for the mouse messages. It goes to the thread when the click destroyed the window.
bool Click(HWND button) {
    const HWND root = GetAncestor(button, GA_ROOT);
    const DWORD owner = GetWindowThreadProcessId(button, nullptr);
    const bool clicked = SendTo(button, BM_CLICK).has_value();
    if (!PostTo(root, WM_NULL)) PostToThread(owner, WM_NULL);
    return clicked;
}

std::optional<LRESULT> CheckState(HWND button) { return SendTo(button, BM_GETCHECK); }

}  // namespace e2e
