#include "framework/win_app.h"

#include "framework/message_pump.h"

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

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr; }
