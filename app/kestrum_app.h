// CKestrumApp: the one application object. Start-up refuses a second instance and leaves a
// hidden main frame behind; everything else happens in the framework's message loop.
#pragma once

#include "framework/win_app.h"

class CKestrumApp final : public CWinApp {
public:
    // Overridables
    BOOL InitInstance() override;
    // The About command.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

private:
    void OnAppAbout();
};

extern CKestrumApp theApp;
