#include "framework/modal_dialog.h"

#include "framework/afx_resources.h"
#include "framework/win_app.h"
#include "framework/window_map.h"

INT_PTR AfxRunModalDialog(CDialog& dialog, UINT nIDTemplate) {
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND owner = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    if (!AfxHookWindowCreate(&dialog)) return -1;
    CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDTemplate), owner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (dialog.m_hWnd == nullptr) return -1;

    const bool enableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (enableOwner) EnableWindow(owner, FALSE);
    const int result = dialog.RunModalLoop(MLF_SHOWONIDLE);
    // The owner is enabled before the dialog goes, so that the platform gives it the
    // activation back instead of some other program's window.
    if (enableOwner) EnableWindow(owner, TRUE);
    dialog.DestroyWindow();
    return result;
}
