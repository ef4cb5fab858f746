// Ready-made batteries for the developer tool and the tests, and the power situation that
// matches one, since the platform's power status is read elsewhere than the battery device.
#pragma once

#include <cstdint>
#include <string_view>

#include "simulated/battery_driver/simulated_battery.h"

namespace simulated_battery {

// A battery in good health on its own: 75 % with 2 hr 05 min left, discharging.
Battery DefaultBattery();

// The same battery on mains, charging; taken off mains again; worn down to 40 % of its
// designed capacity; pulled out of its slot; replaced by another (a new tag and identity).
void PlugIn(Battery& battery);
void Unplug(Battery& battery);
void WearOut(Battery& battery);
void Pull(Battery& battery);
void Replace(Battery& battery);

void SetText(DriverText& text, std::u16string_view value);
// A text that fills `byteCount` bytes without a terminator, for clients that must cut it.
void FillText(DriverText& text, std::uint16_t byteCount);

// What the platform's power status should say while `battery` is the system's battery.
struct PowerPicture {
    bool batteryPresent;
    bool onMains;
    bool charging;
    int percent;                // 0 to 100
    std::uint32_t secondsLeft;  // 0: no estimate
};
PowerPicture PowerPictureOf(const Battery& battery);

}  // namespace simulated_battery
