#include "framework/win_thread.h"

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread != nullptr) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    // Always created suspended, so that m_hThread is stored before the thread can delete
    // the object it belongs to.
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, ThreadEntry, this,
                               dwCreateFlags | CREATE_SUSPENDED, &m_nThreadID);
    if (m_hThread == nullptr) return FALSE;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ResumeThread();
    return TRUE;
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID self) {
    auto* thread = static_cast<CWinThread*>(self);
    const UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    if (thread->m_bAutoDelete) delete thread;
    return result;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    SetThreadPriority(thread->m_hThread, nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
    return thread;
}
