// A thread of the program and the framework's way of starting a worker.
#pragma once

#include <windows.h>

using AFX_THREADPROC = UINT(__cdecl*)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    // Closes the program's handle to the thread; the thread itself goes on.
    virtual ~CWinThread();

    // Attributes
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // When set, the object deletes itself as its thread ends.
    BOOL m_bAutoDelete = TRUE;

    // Operations
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }

private:
    static DWORD WINAPI ThreadEntry(LPVOID self);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts pfnThreadProc(pParam) on a new thread. Returns its object, or null when the thread
// could not be created. With CREATE_SUSPENDED the caller resumes it.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
