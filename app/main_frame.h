// CMainFrame: the hidden main frame. Never shown; its class and title are what a second
// instance looks for, its pre-filter turns the battery hot-key into the meter sheet, and its
// destruction is the program's clean-up.
#pragma once

#include "app/child_view.h"
#include "app/close_watcher.h"
#include "common/debugger_output_win32.h"
#include "framework/frame_wnd.h"

class CKestrumSheet;

class CMainFrame final : public CFrameWnd {
public:
    CMainFrame() = default;
    // Ends and releases the close watcher and destroys the sheets' icon; the meter sheet is
    // its run's own to release.
    ~CMainFrame() override;

    // Operations
    // Arms the one-shot hook timer unless it is armed already.
    void ArmHookTimer();

    // Overridables
    // The view first, then the frame's own routing.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    // Writes "MainFrm Destroy", removes the keyboard hook and switches charging back on
    // before the window goes.
    BOOL DestroyWindow() override;
    // A caption and FWS_ADDTOTITLE only, no client edge, and the class "Afx:00400000:0".
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // F4 and Escape lookalikes are consumed, the battery hot-key runs the meter sheet, the
    // rest goes to the frame's accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The view, the keyboard hook, the hook timer and the close watcher; -1 when the view or
    // the watcher cannot be made.
    int OnCreate(LPCREATESTRUCTW lpCreateStruct) override;
    // While the meter sheet runs, its modal run is ended first and the close comes again once
    // the sheet is released, so that neither the frame nor the sheet is left dangling.
    void OnClose() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers
    void OnSetFocus();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM data);

private:
    void RunMeterSheet();
    // Icon 128 at the standard icon size, for every sheet; null when it cannot be made.
    HICON SheetIcon();

    CChildView m_view;
    CKestrumSheet* m_pSheet = nullptr;
    BOOL m_bSheetBusy = FALSE;
    CloseWatch m_closeWatch;
    UINT m_nHookTimer = 0;
    bool m_bCloseAfterSheet = false;
    HICON m_hSheetIcon = nullptr;
    int m_nSheetIconSize = 0;  // the standard icon size m_hSheetIcon was made at
    DebuggerOutput m_debug;
};
