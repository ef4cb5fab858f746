// Messages to another program's windows and threads, and the button operations built on
// them.
#pragma once

#include <windows.h>

#include <optional>

#include "tests/e2e/driver/wait.h"

namespace e2e {

// The window's answer, or nothing when it gave none within `timeout` (hung, or gone).
std::optional<LRESULT> SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                              Milliseconds timeout = kPatience);
bool PostTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostToThread(DWORD threadId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Clicks the button as BM_CLICK does and then wakes the thread that owns it (see the source).
bool Click(HWND button);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; nothing when the button gave no answer.
std::optional<LRESULT> CheckState(HWND button);

}  // namespace e2e
