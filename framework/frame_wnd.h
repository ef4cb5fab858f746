// CFrameWnd: a top-level window made from one resource identifier: its title, menu and
// accelerator table. The application's main window is such a frame; its closing and
// destruction end the program.
#pragma once

#include <windows.h>

#include <string>

#include "framework/wnd.h"

// Frame styles, kept in the window style's class-specific low word.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
inline constexpr DWORD FWS_PREFIXTITLE = 0x00004000;
// The identifier of a frame's client view.
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Operations
    // Creates the window: the title is string nIDResource of the resource source up to its
    // first line break; menu and accelerator table nIDResource come from the same source;
    // PreCreateWindow may change all of it. A frame deletes itself when its window is gone,
    // so after a failed LoadFrame the object no longer exists. The context is accepted for the
    // usual call form; no frame here builds a view from it.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, void* pContext = nullptr);

    // Overridables
    // The base supplies a class when none is given, adds FWS_PREFIXTITLE to FWS_ADDTOTITLE
    // and WS_EX_CLIENTEDGE; FALSE stops the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // Key messages through the frame's accelerator table.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A command from a menu, an accelerator or a control; the base offers it to the
    // application. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

protected:
    // 0 goes on with the creation, -1 makes it fail.
    virtual int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    // The main window is hidden with everything it owns and sent to the bottom before it is
    // destroyed through the virtual DestroyWindow; any other frame is just destroyed.
    virtual void OnClose();
    // When the session ends the main window runs the application's exit step and is left as
    // it is: the platform ends the process without destroying it.
    virtual void OnEndSession(BOOL bEnding);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Once the main window is gone the application has none and its loop ends.
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;

private:
    std::wstring m_strTitle;
};
