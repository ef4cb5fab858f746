#include "ui/kestrum_sheet_win32.h"

#include "resources/resource.h"
#include "ui/power_setting_functions_win32.h"
#include "ui/sheet_power_events.h"

CKestrumSheet::CKestrumSheet(PowerSettingFunctions& powerFunctions)
    : CPropertySheet(IDS_SHEET_CAPTION), m_powerFunctions(powerFunctions) {
    AddPage(&m_statusPage);
    AddPage(&m_lifePage);
}

CKestrumSheet::CKestrumSheet() : CKestrumSheet(PlatformPowerSettingFunctions()) {}

BOOL CKestrumSheet::OnInitDialog() {
    m_hPowerNotify = SubscribeBatteryPercentage(m_powerFunctions, m_hWnd, m_debug);
    if (HWND cancel = GetDlgItem(IDCANCEL)) ::DestroyWindow(cancel);
    // The sheet's own task-bar button; set before the sheet is first shown, so no frame
    // refresh is needed.
    const LONG_PTR exStyle = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (exStyle & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
    return CPropertySheet::OnInitDialog();
}

BOOL CKestrumSheet::DestroyWindow() {
    EndBatteryPercentageSubscription(m_powerFunctions, m_hPowerNotify, m_debug);
    return CPropertySheet::DestroyWindow();
}

LRESULT CKestrumSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_POWERBROADCAST:
            return OnPowerBroadcast(wParam);
        case WM_SHOWWINDOW:
            OnShowWindow();
            return 0;
        default:
            return CPropertySheet::WindowProc(message, wParam, lParam);
    }
}

void CKestrumSheet::OnShowWindow() {
    Default();
    // A background program may not take the foreground by itself; sharing the foreground
    // thread's input state for a moment lets it.
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const DWORD currentThread = GetCurrentThreadId();
    AttachThreadInput(currentThread, foregroundThread, TRUE);
    SwitchToThisWindow(m_hWnd, TRUE);
    BringWindowToTop(m_hWnd);
    AttachThreadInput(currentThread, foregroundThread, FALSE);
}

LRESULT CKestrumSheet::OnPowerBroadcast(WPARAM event) {
    if (TakePowerEvent(event, m_statusPage.m_hWnd != nullptr, m_debug)) {
        m_statusPage.OnPowerChange();
    }
    return 0;
}
