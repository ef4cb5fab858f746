// CKestrumSheet: the meter window, the status page and the life page in one modal sheet.
#pragma once

#include "common/debugger_output_win32.h"
#include "framework/property_sheet.h"
#include "ui/bt_life_page_win32.h"
#include "ui/bt_status_page_win32.h"
#include "ui/power_setting_subscription.h"

class CKestrumSheet final : public CPropertySheet {
public:
    // The program's caption, no parent, the status page in front. The power-setting look-ups
    // are the platform's unless a test gives its own.
    explicit CKestrumSheet(PowerSettingFunctions& powerFunctions);
    CKestrumSheet();

    // Overridables
    // Ends the power-setting subscription, then destroys the window.
    BOOL DestroyWindow() override;

protected:
    // Subscribes, drops Cancel and takes a task-bar button, then the platform's own
    // initialisation.
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers
    // Brings the sheet to the front, on every show and hide.
    void OnShowWindow();
    // Answers every power broadcast with 0.
    LRESULT OnPowerBroadcast(WPARAM event);

private:
    CBTStatusPage m_statusPage;
    CBTLifePage m_lifePage;
    PowerSettingFunctions::Registration m_hPowerNotify = nullptr;
    PowerSettingFunctions& m_powerFunctions;
    DebuggerOutput m_debug;
};
