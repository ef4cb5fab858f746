// CChildView: the hidden main frame's client view. It draws nothing and handles no commands.
#pragma once

#include "framework/wnd.h"

class CChildView final : public CWnd {
public:
    // Operations
    // A visible bordered child of `pParent` with identifier AFX_IDW_PANE_FIRST and an empty
    // rectangle; PreCreateWindow decides its class and final styles.
    BOOL Create(CWnd* pParent);
    // The view is offered every command first; it takes none.
    BOOL OnCmdMsg(UINT, int, void*, void*) { return FALSE; }

protected:
    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers
    void OnPaint();
};
