#include "framework/wnd.h"

#include "framework/window_map.h"

CWnd::~CWnd() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu) {
    if (!AfxHookWindowCreate(this)) return FALSE;
    const HWND hWnd =
        CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                        hWndParent, nIDorHMenu, GetModuleHandleW(nullptr), nullptr);
    AfxUnhookWindowCreate();
    // A window whose creation fails is destroyed inside the call, and an object that owns
    // itself is deleted with it: only the returned handle may be looked at now.
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

BOOL CWnd::PreTranslateInput(MSG* pMsg) {
    const bool keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    const bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    if (!keyboard && !mouse) return FALSE;
    return IsDialogMessageW(m_hWnd, pMsg);
}
