#include "framework/message_pump.h"

#include "framework/thread_slot.h"
#include "framework/win_app.h"
#include "framework/window_map.h"
#include "framework/wnd.h"

namespace {

// The message the innermost framework handler on this thread is working on; Default() hands
// it to the window's own procedure. Nested sends save and restore it.
const ThreadSlot<const MSG> t_currentMessage;

// Owned top-level windows lead to their owners; GetParent would stop at overlapped ones.
HWND ParentOrOwner(HWND hWnd) {
    if (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) return GetParent(hWnd);
    return GetWindow(hWnd, GW_OWNER);
}

}  // namespace

// 1. Retrieval. Sent messages from other threads and processes are delivered inside
// GetMessageW itself and go straight to step 3; only posted messages come back from it.
BOOL AfxPumpMessage(MSG& msg) {
    const BOOL retrieved = GetMessageW(&msg, nullptr, 0, 0);
    if (retrieved == 0) return FALSE;
    if (retrieved == -1) return TRUE;
    if (!AfxPreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return TRUE;
}

// 2. Pre-translation, before anything is translated or dispatched.
BOOL AfxPreTranslateMessage(MSG* pMsg) {
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->PreTranslateMessage(pMsg)
                           : AfxPreTranslateThroughChain(pMsg, nullptr);
}

BOOL AfxPreTranslateThroughChain(MSG* pMsg, CWnd* pMainWnd) {
    const HWND hMainWnd = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ParentOrOwner(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hMainWnd) return FALSE;
    }
    return hMainWnd != nullptr && pMainWnd->PreTranslateMessage(pMsg);
}

// 3. Dispatch: the object bound to the window handles the message; what it leaves goes to the
// window's own procedure through Default().
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) pWnd = AfxAttachHandedOver(hWnd);
    if (pWnd == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const MSG current{hWnd, message, wParam, lParam, 0, {}};
    const MSG* const outer = t_currentMessage.Get();
    t_currentMessage.Set(&current);
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    t_currentMessage.Set(outer);

    // The window's last message: release the object, which may delete itself.
    if (message == WM_NCDESTROY) {
        AfxDetach(pWnd);
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::Default() {
    const MSG& msg = *t_currentMessage.Get();
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper == nullptr) return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

// The nested loop of a modal run: the same pump, so every message is pre-translated as in
// the application's own loop.
int CWnd::RunModalLoop(DWORD dwFlags) {
    m_bContinueModal = TRUE;
    bool showWhenIdle = (dwFlags & MLF_SHOWONIDLE) != 0;
    MSG msg{};
    while (ContinueModal()) {
        if (showWhenIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            showWhenIdle = false;
            if (!IsWindowVisible(m_hWnd)) ShowWindow(m_hWnd, SW_SHOWNORMAL);
        }
        if (!AfxPumpMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_bContinueModal = FALSE;
            return -1;
        }
    }
    m_bContinueModal = FALSE;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return m_bContinueModal; }

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (!m_bContinueModal) return;
    m_bContinueModal = FALSE;
    // The end may come inside a message sent from another thread or process, which does not
    // make GetMessageW return; a posted message wakes the loop to notice. It is posted to the
    // thread, not the window, so that it survives the window's destruction.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}
