#include "app/child_view.h"

#include "framework/frame_wnd.h"
#include "framework/register_class.h"

BOOL CChildView::Create(CWnd* pParent) {
    CREATESTRUCTW cs{};
    cs.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    cs.hwndParent = pParent->m_hWnd;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST));
    if (!PreCreateWindow(cs)) return FALSE;
    return CreateEx(cs.dwExStyle, cs.lpszClass, nullptr, static_cast<DWORD>(cs.style), 0, 0, 0, 0,
                    cs.hwndParent, cs.hMenu);
}

BOOL CChildView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~static_cast<LONG>(WS_BORDER);
    cs.lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

LRESULT CChildView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CChildView::OnPaint() {
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    EndPaint(m_hWnd, &paint);
}
