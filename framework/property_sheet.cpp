#include "framework/property_sheet.h"

#include "framework/afx_resources.h"
#include "framework/property_sheet_font.h"
#include "framework/win_app.h"
#include "framework/window_map.h"

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh{}, m_strCaption(AfxLoadString(nIDCaption)), m_pParentWnd(pParentWnd) {
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption.c_str();
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }

bool CPropertySheet::BuildPropPageArray() {
    const std::optional<DialogFont> sheetFont = AfxGetPropertySheetFont();
    m_pageRecords.clear();
    for (CPropertyPage* page : m_pages) {
        if (!page->PrepareTemplate(sheetFont)) return false;
        m_pageRecords.push_back(page->m_psp);
    }
    m_psh.nPages = static_cast<UINT>(m_pageRecords.size());
    m_psh.ppsp = m_pageRecords.data();
    return !m_pageRecords.empty();
}

HWND CPropertySheet::GetOwnerForModal() const {
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    if (owner == nullptr || owner->m_hWnd == nullptr) return nullptr;
    return GetAncestor(owner->m_hWnd, GA_ROOT);
}

INT_PTR CPropertySheet::DoModal() {
    if (!BuildPropPageArray()) return -1;

    const HWND hOwner = GetOwnerForModal();
    const bool enableOwner = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (enableOwner) EnableWindow(hOwner, FALSE);

    const DWORD creatorFlags = m_psh.dwFlags;
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = hOwner;
    HWND created = nullptr;
    if (AfxHookWindowCreate(this)) {
        created = reinterpret_cast<HWND>(PropertySheetW(&m_psh));
        AfxUnhookWindowCreate();
    }
    m_psh.dwFlags = creatorFlags;

    INT_PTR result = -1;
    if (m_hWnd != nullptr) {
        result = RunModalLoop(MLF_SHOWONIDLE);
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner) EnableWindow(hOwner, TRUE);
    if (hOwner != nullptr && m_hWnd != nullptr && GetActiveWindow() == m_hWnd) {
        SetActiveWindow(hOwner);
    }
    // Also when the window went with its owner during the run, so that an override's own
    // clean-up still runs.
    if (created != nullptr && created != reinterpret_cast<HWND>(-1)) DestroyWindow();
    return result;
}

BOOL CPropertySheet::DestroyWindow() {
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd != nullptr) page->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
    const bool pageKey =
        pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT;
    if (pMsg->message == WM_KEYDOWN && pageKey && GetKeyState(VK_CONTROL) < 0 &&
        SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg))) {
        return TRUE;
    }
    return PreTranslateInput(pMsg);
}

bool CPropertySheet::HasCurrentPage() {
    // Asked of the platform directly, so that the question does not come back through here.
    return m_hWnd != nullptr && DefWindowProc(PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

BOOL CPropertySheet::ContinueModal() { return CWnd::ContinueModal() && HasCurrentPage(); }

BOOL CPropertySheet::OnInitDialog() { return static_cast<BOOL>(Default()); }

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    ++m_nMessageDepth;
    const LRESULT result =
        message == WM_INITDIALOG ? OnInitDialog() : CWnd::WindowProc(message, wParam, lParam);
    // Page switches and page creations happen inside the sheet's messages and are over once
    // the outermost one returns; the sheet has no current page for a moment while it switches.
    if (--m_nMessageDepth == 0) {
        // A page whose creation failed after its hand-over must not take a later window.
        for (CPropertyPage* page : m_pages) AfxCancelWindowCreate(page);
        // A modeless sheet ends by dropping its current page, whichever button or key did it.
        if (CWnd::ContinueModal() && !HasCurrentPage()) {
            EndModalLoop(DefWindowProc(PSM_GETRESULT, 0, 0) > 0 ? IDOK : IDCANCEL);
        }
    }
    return result;
}
