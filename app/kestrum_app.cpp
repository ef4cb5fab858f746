#include "app/kestrum_app.h"

#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include <new>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "framework/message_box.h"
#include "framework/ole_support.h"
#include "resources/resource.h"

CKestrumApp theApp;

namespace {
// What a running instance's hidden frame is called: its class follows from the fixed load
// address, its title is the same in every language.
constexpr wchar_t kMainFrameClass[] = L"Afx:00400000:0";
constexpr wchar_t kMainFrameTitle[] = L"Kestrum";
}  // namespace

BOOL CKestrumApp::InitInstance() {
    if (FindWindowW(kMainFrameClass, kMainFrameTitle) != nullptr) return FALSE;

    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();

    auto* pFrame = new (std::nothrow) CMainFrame;
    if (pFrame == nullptr) return FALSE;
    // Before the window exists: the hook finds the frame through it from the first event on.
    m_pMainWnd = pFrame;
    // A frame that fails to load has deleted itself and left no main window.
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return FALSE;
    UpdateWindow(pFrame->m_hWnd);
    return TRUE;
}

BOOL CKestrumApp::OnCmdMsg(UINT nID, int nCode) {
    if (nID != ID_APP_ABOUT || nCode != 0) return FALSE;
    OnAppAbout();
    return TRUE;
}

void CKestrumApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
