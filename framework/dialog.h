// CDialog: a framework object on a dialog window made from a template of the resource source.
#pragma once

#include "framework/wnd.h"

// The dialog procedure of every framework dialog. The platform sends a dialog WM_INITDIALOG
// only when it has a dialog procedure, yet the framework's window procedure sees each message
// before the dialog manager does, so this one leaves them all to the dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

    // Overridables
    // The framework's own initialisation of the dialog's window. TRUE lets the dialog manager
    // give the first control the focus.
    virtual BOOL OnInitDialog();
    // Dialog keys (Tab, arrows, Enter, Escape, mnemonics) through the dialog manager.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
};
