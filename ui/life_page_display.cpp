#include "ui/life_page_display.h"

#include <cstdint>
#include <utility>

#include "battery/embedded_controller.h"
#include "resources/resource.h"
#include "resources/string_table.h"

void InitializeLifePage(const StringTable& strings, PageControls& controls) {
    const std::pair<int, std::uint16_t> texts[] = {
        {IDC_CHARGE_GROUP, IDS_CHARGE_GROUP},
        {IDC_DISABLE_CHARGING, IDS_CHARGE_CHECK},
        {IDC_CHARGE_NOTE, IDS_CHARGE_NOTE},
    };
    for (const auto& [control, text] : texts) controls.SetText(control, LoadText(strings, text));
}

void ShowChargeSwitch(EmbeddedController& ec, DebugSink& debug, PageControls& controls) {
    controls.SetCheck(IDC_DISABLE_CHARGING,
                      IsBtChargeOff(ec, debug) ? CheckState::Checked : CheckState::Unchecked);
}

void ApplyChargeSwitchClick(EmbeddedController& ec, DebugSink& debug, PageControls& controls) {
    switch (static_cast<CheckState>(controls.GetCheck(IDC_DISABLE_CHARGING))) {
        case CheckState::Unchecked:
            SetBtDischargeDisable(ec, debug);
            break;
        case CheckState::Checked:
            SetBtDischargeEnable(ec, debug);
            break;
        default:
            break;
    }
}
