#include "framework/win_main.h"

#include "framework/afx_resources.h"
#include "framework/ole_support.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

// The application title string of the framework's own string table.
constexpr UINT AFX_IDS_APP_TITLE = 57344;

int AfxWinMain() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) return -1;
    if (pApp->m_strAppName.empty()) pApp->m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);

    int exitCode = 0;
    if (pApp->InitInstance()) {
        exitCode = pApp->Run();
    } else {
        if (pApp->m_pMainWnd != nullptr) pApp->m_pMainWnd->DestroyWindow();
        exitCode = pApp->ExitInstance();
    }
    AfxOleTerm();
    return exitCode;
}
