// CWnd: a framework object bound to one window.
//
// The binding is made once, when the window is created: the object is handed over just before
// the creation call, the window is redirected to the framework's window procedure as the
// platform creates it, and the object is attached at the window's first message. It is never
// bound twice and is released at WM_NCDESTROY, the window's last message. How a message then
// travels is told in one place, framework/message_pump.cpp.
#pragma once

#include <windows.h>

// RunModalLoop flag: show the window once the queue first runs dry, as a modal run does.
inline constexpr DWORD MLF_SHOWONIDLE = 0x0004;

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys a window still bound to the object.
    virtual ~CWnd();

    // Attributes
    HWND m_hWnd = nullptr;

    // The object bound to `hWnd`, or null for windows the framework did not create.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Operations
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

    // Runs the framework's nested message loop until ContinueModal says no; returns the result
    // EndModalLoop gave, or -1 when the loop met the quit message (which it posts again, so
    // that the outer loop ends too).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Overridables
    virtual BOOL DestroyWindow();
    // The object's own filter for a retrieved message before it is dispatched; TRUE consumes
    // it. The base consumes nothing.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // The object's message handling; what is not handled goes to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own processing (its class or dialog procedure) of the message being handled.
    LRESULT Default();
    // The window's own processing of any message, passing the object's handling by.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone and the object released; objects that own themselves
    // delete themselves here.
    virtual void PostNcDestroy() {}
    // Keyboard and mouse input through the dialog manager of this window.
    BOOL PreTranslateInput(MSG* pMsg);

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CWindowHandOver;

    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before the framework's
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;
};
