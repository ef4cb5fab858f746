// Framework windows for the framework's own tests: a plain window class, and an object that
// records what reached it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/wnd.h"

// A window class with the platform's default procedure, registered on first use.
inline LPCWSTR PlainWindowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KestrumTestPlainWindow";
        return RegisterClassExW(&windowClass);
    }();
    return MAKEINTATOM(atom);
}

// Records each message its window handles and each time its filter is asked.
class RecordingWnd : public CWnd {
public:
    explicit RecordingWnd(std::string name = {}, std::vector<std::string>* filterLog = nullptr)
        : m_name(std::move(name)), m_filterLog(filterLog) {}

    BOOL Create(DWORD style, HWND parentOrOwner) {
        return CreateEx(0, PlainWindowClass(), L"", style, 0, 0, 100, 100, parentOrOwner, nullptr);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (m_filterLog != nullptr) m_filterLog->push_back(m_name);
        filtered.push_back(pMsg->message);
        return consumes;
    }

    std::vector<UINT> messages;  // as handled
    std::vector<UINT> filtered;  // as offered to the filter
    bool consumes = false;
    int postNcDestroys = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++postNcDestroys; }

private:
    std::string m_name;
    std::vector<std::string>* m_filterLog;
};

// A plain window with no framework object.
inline HWND CreatePlainWindow(DWORD style, HWND parentOrOwner) {
    return CreateWindowExW(0, PlainWindowClass(), L"", style, 0, 0, 50, 50, parentOrOwner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}
