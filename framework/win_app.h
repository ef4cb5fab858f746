// CWinApp: the application object, one per process, and the main window it holds.
#pragma once

#include <windows.h>

#include <string>

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
    // The caption of the framework's message boxes; when the object is constructed without
    // one, the framework's entry takes the application title string before InitInstance.
    std::wstring m_strAppName;

    // Overridables
    // The base chooses the resource source. FALSE ends the process without a message loop.
    virtual BOOL InitInstance();
    // The application's message loop until the quit message; returns ExitInstance's code.
    virtual int Run();
    // The application's last step, at the loop's end or when the session ends.
    virtual int ExitInstance();
    // A command no window handled; TRUE when the application handled it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);
    // The thread's filter for every retrieved message; the base makes the framework's walk.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
