// The status page without its window: the labels once, then each snapshot as texts,
// visibility, bar position and picture.
#pragma once

#include <array>
#include <cstdint>

#include "battery/battery_snapshot.h"
#include "resources/resource.h"
#include "ui/page_controls.h"

class StringTable;
struct BatterySources;

// The picture of each power kind 1 to 4, in kind order, which is also the order the page loads
// and frees them in.
inline constexpr std::array<std::uint16_t, 4> kStatusPictureIds = {IDB_CHARGING, IDB_CHARGE_OFF,
                                                                   IDB_NO_BATTERY, IDB_ON_BATTERY};
using StatusPictures = std::array<PictureHandle, 4>;

// Labels from the string table and the bar's range; once per page window.
void InitializeStatusPage(const StringTable& strings, PageControls& controls);

void ShowSnapshot(const BatterySnapshot& snapshot, const StatusPictures& pictures,
                  PageControls& controls);

// One refresh into the page's own snapshot, shown only when it succeeded: a failed refresh
// leaves the page as the last successful display left it. Returns whether it succeeded.
bool RefreshStatusPage(BatterySnapshot& snapshot, const BatterySources& sources,
                       const StatusPictures& pictures, PageControls& controls);
