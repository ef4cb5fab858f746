// CAboutDlg: the About box on template IDD_ABOUTBOX; its OK button or Escape closes it.
#pragma once

#include "framework/dialog.h"

class CAboutDlg final : public CDialog {
public:
    CAboutDlg();

    // Operations
    INT_PTR DoModal();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
