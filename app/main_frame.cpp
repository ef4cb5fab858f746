#include "app/main_frame.h"

#include <new>

#include "app/hotkey_filter.h"
#include "app/keyboard_hook.h"
#include "battery/qelt_controller_win32.h"
#include "framework/afx_resources.h"
#include "framework/register_class.h"
#include "resources/resolved_resource_win32.h"
#include "resources/resource.h"
#include "ui/kestrum_sheet_win32.h"

namespace {
constexpr UINT_PTR kHookTimerId = 1;
constexpr UINT kHookTimerPeriodMs = 2000;
}  // namespace

CMainFrame::~CMainFrame() {
    ReleaseCloseWatch(m_closeWatch);
    if (m_hSheetIcon != nullptr) DestroyIcon(m_hSheetIcon);
}

void CMainFrame::ArmHookTimer() {
    if (m_nHookTimer != 0) return;
    m_nHookTimer = static_cast<UINT>(SetTimer(m_hWnd, kHookTimerId, kHookTimerPeriodMs, nullptr));
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
    if (m_view.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::DestroyWindow() {
    m_debug.Write(u"MainFrm Destroy");
    RemoveKeyboardHook();
    QeltController ec;
    SetBtDischargeDisable(ec, m_debug);
    // The frame deletes itself with its window: nothing of it is touched after this.
    return CFrameWnd::DestroyWindow();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.style = static_cast<LONG>(WS_CAPTION | FWS_ADDTOTITLE);
    cs.lpszClass = AfxRegisterWndClass(0);
    return cs.lpszClass != nullptr;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    switch (ClassifyPreFilterMessage(pMsg->message, pMsg->wParam, pMsg->lParam)) {
        case PreFilterStep::ConsumeF4:
        case PreFilterStep::ConsumeEscape:
            return TRUE;
        case PreFilterStep::PassToBase:
            return CFrameWnd::PreTranslateMessage(pMsg);
        case PreFilterStep::BatteryKey:
            RunMeterSheet();
            return TRUE;
    }
    return FALSE;
}

// Re-entered from the sheet's own modal loop: a press while it runs finds it busy.
void CMainFrame::RunMeterSheet() {
    if (m_pSheet == nullptr) {
        m_pSheet = new (std::nothrow) CKestrumSheet;
        if (m_pSheet == nullptr) return;
        m_pSheet->m_psh.hIcon = SheetIcon();
        m_pSheet->m_psh.dwFlags |= PSH_USEHICON | PSH_NOAPPLYNOW;
    }
    if (m_bSheetBusy) return;
    m_bSheetBusy = TRUE;
    m_pSheet->DoModal();
    delete m_pSheet;
    m_pSheet = nullptr;
    m_bSheetBusy = FALSE;
    if (m_bCloseAfterSheet) {
        m_bCloseAfterSheet = false;
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
}

// An icon loaded by name is the platform's shared one, made once and kept for the process;
// this one is made the same way and kept as long as the frame, but asked for again whenever
// it is missing or the standard icon size is no longer the size it was made at.
HICON CMainFrame::SheetIcon() {
    const int size = GetSystemMetrics(SM_CXICON);
    if (m_hSheetIcon != nullptr && m_nSheetIconSize == size) return m_hSheetIcon;
    if (m_hSheetIcon != nullptr) DestroyIcon(m_hSheetIcon);
    m_hSheetIcon = LoadResolvedIcon(AfxGetResourceHandle(), IDR_MAINFRAME, size);
    m_nSheetIconSize = size;
    return m_hSheetIcon;
}

int CMainFrame::OnCreate(LPCREATESTRUCTW lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_view.Create(this)) return -1;
    InstallKeyboardHook();
    ArmHookTimer();
    m_closeWatch.frameWindow = m_hWnd;
    if (StartCloseWatcher(m_closeWatch) == nullptr) {
        // The window goes without DestroyWindow, so the hook would outlive the frame.
        RemoveKeyboardHook();
        return -1;
    }
    return 0;
}

void CMainFrame::OnClose() {
    if (m_bSheetBusy) {
        m_bCloseAfterSheet = true;
        m_pSheet->EndModalLoop(IDCANCEL);
        return;
    }
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_POWERBROADCAST:
            return OnPowerBroadcast(wParam, lParam);
        default:
            return CFrameWnd::WindowProc(message, wParam, lParam);
    }
}

void CMainFrame::OnSetFocus() {
    if (m_view.m_hWnd != nullptr) SetFocus(m_view.m_hWnd);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kHookTimerId || IsWindowVisible(m_hWnd)) return;
    InstallKeyboardHook();
    KillTimer(m_hWnd, m_nHookTimer);
    m_nHookTimer = 0;
}

LRESULT CMainFrame::OnPowerBroadcast(WPARAM event, LPARAM) {
    if (event == PBT_APMRESUMESUSPEND) InstallKeyboardHook();
    return 0;
}
