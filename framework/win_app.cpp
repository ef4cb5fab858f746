#include "framework/win_app.h"

#include "framework/afx_resources.h"
#include "framework/message_pump.h"
#include "resources/resource_source_win32.h"

namespace {
CWinApp* g_pApp = nullptr;
}  // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    return AfxPreTranslateThroughChain(pMsg, m_pMainWnd);
}

BOOL CWinApp::InitInstance() {
    AfxSetResourceHandle(ChooseResourceSource(GetModuleHandleW(nullptr)));
    return TRUE;
}

int CWinApp::Run() {
    MSG msg{};
    while (AfxPumpMessage(msg)) {
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::OnCmdMsg(UINT, int) { return FALSE; }

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr; }
