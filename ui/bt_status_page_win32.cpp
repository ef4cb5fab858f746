#include "ui/bt_status_page_win32.h"

#include "resources/resolved_resource_win32.h"
#include "ui/dialog_controls_win32.h"

CBTStatusPage::CBTStatusPage()
    : CPropertyPage(IDD_STATUS_PAGE), m_strTitle(AfxLoadString(IDS_STATUS_PAGE_TITLE)) {
    m_psp.pszTitle = m_strTitle.c_str();
    m_psp.dwFlags |= PSP_USETITLE;
    for (std::size_t kind = 0; kind < m_pictures.size(); ++kind) {
        m_pictures[kind] = LoadResolvedBitmap(AfxGetResourceHandle(), kStatusPictureIds[kind]);
    }
}

CBTStatusPage::~CBTStatusPage() { DeletePictures(); }

void CBTStatusPage::DeletePictures() {
    for (PictureHandle& picture : m_pictures) {
        if (picture != nullptr) DeleteObject(static_cast<HBITMAP>(picture));
        picture = nullptr;
    }
}

BOOL CBTStatusPage::DestroyWindow() {
    DeletePictures();
    return CPropertyPage::DestroyWindow();
}

BOOL CBTStatusPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    DialogControls controls(m_hWnd);
    InitializeStatusPage(m_sources.strings, controls);
    return TRUE;
}

BOOL CBTStatusPage::OnSetActive() {
    DialogControls controls(m_hWnd);
    RefreshStatusPage(m_snapshot, m_sources.Battery(), m_pictures, controls);
    return CPropertyPage::OnSetActive();
}

void CBTStatusPage::OnPowerChange() {
    m_sources.debug.Write(u"PowerChange");
    DialogControls controls(m_hWnd);
    RefreshStatusPage(m_snapshot, m_sources.Battery(), m_pictures, controls);
}
