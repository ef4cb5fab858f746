// The simulated battery's state where its driver reads it: one binary value per battery under
// the driver's service key.
#pragma once

#include "simulated/battery_driver/simulated_battery.h"

// False when battery `slot` has no state written yet; `battery` is then an empty slot.
bool ReadSimulatedBattery(int slot, simulated_battery::Battery& battery);
bool WriteSimulatedBattery(int slot, const simulated_battery::Battery& battery);
