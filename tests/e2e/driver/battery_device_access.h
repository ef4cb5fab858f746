// The simulated battery behind the battery device, which every program of the prefix reads
// through the development battery driver: a test sets what the driver answers.
#pragma once

#include "simulated/battery_driver/simulated_battery.h"

namespace e2e {

// The driver answers from the next request on.
bool SetBattery(const simulated_battery::Battery& battery, int slot = 0);
// The battery the developer tool shows by default, in good health and discharging.
bool ResetBattery();
// True once the driver serves the first battery interface; false when Wine has not loaded
// it in this prefix within a few seconds.
bool BatteryDeviceServed();

}  // namespace e2e
