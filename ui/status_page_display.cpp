#include "ui/status_page_display.h"

#include <string_view>
#include <utility>

#include "battery/refresh_battery.h"
#include "common/fixed_text.h"
#include "resources/string_table.h"

namespace {

// The marker of "no estimate"; compared exactly, letter case included.
constexpr std::u16string_view kNoTimeEstimate = u"NULL";

constexpr int kBatteryValueIds[] = {IDC_PERCENT_TEXT,      IDC_NAME_TEXT,      IDC_IDENTIFIER_TEXT,
                                    IDC_MANUFACTURER_TEXT, IDC_CHEMISTRY_TEXT, IDC_HEALTH_TEXT};

}  // namespace

void InitializeStatusPage(const StringTable& strings, PageControls& controls) {
    const std::pair<int, std::uint16_t> labels[] = {
        {IDC_LABEL_STATUS, IDS_LABEL_BATTERY_STATUS},
        {IDC_LABEL_TIME, IDS_LABEL_REMAINING},
        {IDC_LABEL_NAME, IDS_LABEL_NAME},
        {IDC_LABEL_IDENTIFIER, IDS_LABEL_IDENTIFIER},
        {IDC_LABEL_MANUFACTURER, IDS_LABEL_MANUFACTURER},
        {IDC_LABEL_CHEMISTRY, IDS_LABEL_CHEMISTRY},
    };
    for (const auto& [control, text] : labels) controls.SetText(control, LoadText(strings, text));
    controls.SetBarRange(IDC_BATTERY_BAR, 0, 100);
}

void ShowSnapshot(const BatterySnapshot& snapshot, const StatusPictures& pictures,
                  PageControls& controls) {
    controls.SetBarPosition(IDC_BATTERY_BAR, snapshot.percent);
    controls.SetText(IDC_STATE_TEXT, FieldText(snapshot.stateText));

    // Without a system battery the battery's own facts are hidden but keep their last texts.
    const bool hasBattery = snapshot.powerKind != PowerKindMainsNoBattery;
    if (hasBattery) {
        const std::u16string_view values[] = {
            FieldText(snapshot.percentText), FieldText(snapshot.deviceName),
            FieldText(snapshot.uniqueId),    FieldText(snapshot.manufacturer),
            FieldText(snapshot.chemistry),   FieldText(snapshot.healthText),
        };
        for (std::size_t i = 0; i < std::size(values); ++i) {
            controls.SetText(kBatteryValueIds[i], values[i]);
        }
    }
    for (int control : kBatteryValueIds) controls.Show(control, hasBattery);

    const std::u16string_view time = FieldText(snapshot.timeText);
    const bool showTime = snapshot.powerKind == PowerKindOnBattery && time != kNoTimeEstimate;
    if (showTime) controls.SetText(IDC_TIME_TEXT, time);
    controls.Show(IDC_LABEL_TIME, showTime);
    controls.Show(IDC_TIME_TEXT, showTime);

    if (snapshot.powerKind >= PowerKindMainsCharging && snapshot.powerKind <= PowerKindOnBattery) {
        controls.SetPicture(IDC_STATUS_PICTURE, pictures[snapshot.powerKind - 1]);
    }
}

bool RefreshStatusPage(BatterySnapshot& snapshot, const BatterySources& sources,
                       const StatusPictures& pictures, PageControls& controls) {
    if (!RefreshBattery(snapshot, sources)) return false;
    ShowSnapshot(snapshot, pictures, controls);
    return true;
}
