#include "ui/bt_life_page_win32.h"

#include "resources/resource.h"
#include "ui/dialog_controls_win32.h"
#include "ui/life_page_display.h"

CBTLifePage::CBTLifePage()
    : CPropertyPage(IDD_LIFE_PAGE), m_strTitle(AfxLoadString(IDS_LIFE_PAGE_TITLE)) {
    m_psp.pszTitle = m_strTitle.c_str();
    m_psp.dwFlags |= PSP_USETITLE;
}

BOOL CBTLifePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    DialogControls controls(m_hWnd);
    InitializeLifePage(m_sources.strings, controls);
    return TRUE;
}

BOOL CBTLifePage::OnSetActive() {
    DialogControls controls(m_hWnd);
    ShowChargeSwitch(m_sources.ec, m_sources.debug, controls);
    return CPropertyPage::OnSetActive();
}

LRESULT CBTLifePage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_DISABLE_CHARGING &&
        HIWORD(wParam) == BN_CLICKED) {
        OnDisableChargingClicked();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

void CBTLifePage::OnDisableChargingClicked() {
    DialogControls controls(m_hWnd);
    ApplyChargeSwitchClick(m_sources.ec, m_sources.debug, controls);
}
