#include "app/about_dlg.h"

#include "framework/modal_dialog.h"
#include "resources/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

INT_PTR CAboutDlg::DoModal() { return AfxRunModalDialog(*this, m_nIDTemplate); }

LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndModalLoop(LOWORD(wParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
