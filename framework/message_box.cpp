#include "framework/message_box.h"

#include <string>

#include "framework/afx_resources.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT) {
    const std::wstring text = AfxLoadString(nIDPrompt);
    CWinApp* pApp = AfxGetApp();
    const std::wstring caption = pApp != nullptr ? pApp->m_strAppName : std::wstring();
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND owner = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    return MessageBoxW(owner, text.c_str(), caption.c_str(), nType);
}
