// CBTLifePage: the meter sheet's second page, the switch that stops battery charging.
#pragma once

#include "framework/property_page.h"
#include "ui/platform_sources_win32.h"

class CBTLifePage final : public CPropertyPage {
public:
    CBTLifePage();

    // Overridables
    BOOL OnInitDialog() override;
    // Reads the switch from the controller every time the page comes to the front.
    BOOL OnSetActive() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers
    void OnDisableChargingClicked();

private:
    std::wstring m_strTitle;
    PlatformSources m_sources;
};
