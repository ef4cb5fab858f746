#include "framework/property_page.h"

#include "framework/afx_resources.h"
#include "framework/window_map.h"
#include "resources/resolved_resource_win32.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate), m_psp{} {
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DLGINDIRECT | PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.pfnCallback = PageCallback;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE) {
        // The sheet reads the page's answer as 0 to accept the activation, -1 to refuse it.
        return OnSetActive() ? 0 : -1;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CPropertyPage::PrepareTemplate(const std::optional<DialogFont>& sheetFont) {
    const std::span<const std::byte> stored =
        FindResolvedResource(AfxGetResourceHandle(), RT_DIALOG, MAKEINTRESOURCEW(m_nIDTemplate));
    const std::optional<DialogTemplate> parsed = ParseDialogTemplate(stored);
    if (!parsed) return false;
    m_template.clear();
    if (sheetFont && parsed->extended) m_template = WithDialogFont(stored, *sheetFont);
    if (m_template.empty()) m_template.assign(stored.begin(), stored.end());
    m_psp.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data());
    return true;
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT uMsg, LPPROPSHEETPAGEW ppsp) {
    // The platform creates a page's window when the page is first shown, which may be long
    // after the sheet: the object is handed over just before.
    if (uMsg == PSPCB_CREATE) AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return TRUE;
}
