#include "tests/e2e/driver/window_query.h"

#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_messages.h"

namespace e2e {
namespace {

bool Matches(HWND window, const WindowSearch& search) {
    if (search.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search.processId) return false;
    }
    if (search.className && WindowClass(window) != *search.className) return false;
    if (search.title && WindowText(window) != *search.title) return false;
    return true;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(const WindowSearch& search) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::erase_if(all, [&](HWND window) { return !Matches(window, search); });
    return all;
}

HWND WaitForTopLevel(const WindowSearch& search, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindows(search);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> windows;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        windows.push_back(child);
    }
    return windows;
}

HWND DescendantById(HWND ancestor, int id) {
    for (HWND child : Children(ancestor)) {
        if (GetDlgCtrlID(child) == id) return child;
        if (HWND found = DescendantById(child, id)) return found;
    }
    return nullptr;
}

std::u16string WindowText(HWND window) {
    const LRESULT length = SendTo(window, WM_GETTEXTLENGTH).value_or(0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())).value_or(0);
    text.resize(static_cast<std::size_t>(copied));
    return Utf16(text);
}

std::u16string WindowClass(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return Utf16({name, static_cast<std::size_t>(length > 0 ? length : 0)});
}

DWORD WindowStyle(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

DWORD WindowExStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

RECT WindowRectangle(HWND window) {
    RECT rectangle = {};
    GetWindowRect(window, &rectangle);
    return rectangle;
}

SIZE WindowSize(HWND window) {
    const RECT rectangle = WindowRectangle(window);
    return {rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

RECT ClientRectangle(HWND window) {
    RECT rectangle = {};
    GetClientRect(window, &rectangle);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

}  // namespace e2e
