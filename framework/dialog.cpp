#include "framework/dialog.h"

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CDialog::OnInitDialog() { return TRUE; }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return PreTranslateInput(pMsg); }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // WM_INITDIALOG's result goes straight back to the dialog manager: TRUE sets the focus.
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}
