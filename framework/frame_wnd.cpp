#include "framework/frame_wnd.h"

#include "framework/afx_resources.h"
#include "framework/register_class.h"
#include "framework/win_app.h"
#include "framework/window_map.h"

CFrameWnd::~CFrameWnd() {
    if (m_hAccelTable != nullptr) DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void*) {
    const std::wstring title = AfxLoadString(nIDResource);
    m_strTitle = title.substr(0, title.find(L'\n'));
    const HINSTANCE resources = AfxGetResourceHandle();
    HMENU menu = LoadMenuW(resources, MAKEINTRESOURCEW(nIDResource));
    m_hAccelTable = LoadAcceleratorsW(resources, MAKEINTRESOURCEW(nIDResource));

    CREATESTRUCTW cs{};
    cs.hInstance = GetModuleHandleW(nullptr);
    cs.hMenu = menu;
    cs.hwndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    cs.cx = cs.cy = cs.x = cs.y = CW_USEDEFAULT;
    cs.style = static_cast<LONG>(dwDefaultStyle);
    cs.lpszName = m_strTitle.c_str();
    if (!PreCreateWindow(cs) || !AfxHookWindowCreate(this)) {
        if (menu != nullptr) DestroyMenu(menu);
        PostNcDestroy();
        return FALSE;
    }
    // A creation that fails after the window's first message has destroyed the window and with
    // it this object, so nothing of the object is read once the platform returns. One that
    // fails before it leaves the object to be ended here, as its window would have. A window
    // made without ever taking the object (another hook or subclass had its messages) leaves
    // the object alive, as the success returned says.
    const HWND created =
        CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                        cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    const bool windowTookObject = AfxUnhookWindowCreate();
    if (created != nullptr) return TRUE;
    if (menu != nullptr && IsMenu(menu)) DestroyMenu(menu);
    if (!windowTookObject) PostNcDestroy();
    return FALSE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        if (cs.lpszClass == nullptr) return FALSE;
    }
    if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    return m_hAccelTable != nullptr && TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void*, void*) {
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode);
}

int CFrameWnd::OnCreate(LPCREATESTRUCTW) { return Default() == -1 ? -1 : 0; }

void CFrameWnd::OnClose() {
    if (AfxGetMainWnd() == this) {
        ShowOwnedPopups(m_hWnd, FALSE);
        ShowWindow(m_hWnd, SW_HIDE);
        SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    DestroyWindow();
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
    CWinApp* pApp = AfxGetApp();
    if (bEnding && pApp != nullptr && pApp->m_pMainWnd == this) pApp->ExitInstance();
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_ENDSESSION:
            OnEndSession(static_cast<BOOL>(wParam));
            return 0;
        case WM_COMMAND:
            if (OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr)) return 0;
            return Default();
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    delete this;
}
