// A hidden top-level window of the test itself, standing in for another program's: one that
// only looks like a window the program under test looks for.
#pragma once

#include <windows.h>

namespace e2e {

class ForeignWindow {
public:
    ForeignWindow(const wchar_t* className, const wchar_t* title) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
        m_window = CreateWindowExW(0, className, title, WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ForeignWindow() { DestroyWindow(m_window); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};

}  // namespace e2e
