// Finding another program's windows and reading what they show, hidden ones included.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace e2e {

// What a top-level window must match; an empty field matches anything.
struct WindowSearch {
    std::optional<std::u16string> className;
    std::optional<std::u16string> title;
    DWORD processId = 0;
};

// Top-level windows of this thread's desktop, hidden or not, in Z order.
std::vector<HWND> TopLevelWindows(const WindowSearch& search);
HWND WaitForTopLevel(const WindowSearch& search, Milliseconds timeout = kPatience);

// Direct children in Z order.
std::vector<HWND> Children(HWND parent);
// The first window with this control id among all descendants (a property sheet's pages are
// its children, their controls the pages' children).
HWND DescendantById(HWND ancestor, int id);

// Read through WM_GETTEXT, which the system carries between processes.
std::u16string WindowText(HWND window);
std::u16string WindowClass(HWND window);
DWORD WindowStyle(HWND window);
DWORD WindowExStyle(HWND window);
// WS_VISIBLE on the window and every ancestor.
bool IsShown(HWND window);
// In screen coordinates.
RECT WindowRectangle(HWND window);
RECT ClientRectangle(HWND window);
SIZE WindowSize(HWND window);

}  // namespace e2e
