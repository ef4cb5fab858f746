// CBTStatusPage: the meter sheet's first page, the battery's status.
#pragma once

#include "battery/battery_snapshot.h"
#include "framework/property_page.h"
#include "ui/platform_sources_win32.h"
#include "ui/status_page_display.h"

class CBTStatusPage final : public CPropertyPage {
public:
    // Loads the tab title and the four pictures; the snapshot starts zeroed.
    CBTStatusPage();
    ~CBTStatusPage() override;

    // Overridables
    BOOL DestroyWindow() override;
    BOOL OnInitDialog() override;
    // Refreshes and shows the battery every time the page comes to the front.
    BOOL OnSetActive() override;

    // Operations
    // A power notification the sheet passes on, only while the page has a window.
    void OnPowerChange();

private:
    void DeletePictures();

    std::wstring m_strTitle;
    StatusPictures m_pictures{};  // bitmaps, by power kind
    BatterySnapshot m_snapshot;
    PlatformSources m_sources;
};
