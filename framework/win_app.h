// CWinApp: the application object, one per process, and the main window it holds.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    // The object becomes the process's application object.
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Attributes
    // The main window: the end of every pre-translation walk, and the owner of modal windows
    // that are given no parent.
    CWnd* m_pMainWnd = nullptr;

    // Overridables
    // The thread's filter for every retrieved message; the base makes the framework's walk.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
