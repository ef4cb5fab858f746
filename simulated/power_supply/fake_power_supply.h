// The power situation Wine reports, set by writing the fake /sys/class/power_supply that
// with_fake_power_supply.sh mounts for a test or a run (through Wine's Z: drive, which is "/").
//
// Wine reads AC/online and, for a folder whose "type" is Battery, its status, voltage_now,
// charge_now, charge_full and current_now: capacities in mWh are µAh × µV / 10^9, the percent
// is remaining × 100 / full (cut), and the time left is 3600 × remaining / rate seconds when
// discharging, with the rate in mW likewise from current_now.
#pragma once

#include <cstdint>

namespace simulated_power {

// True when the folder is the test's writable fake, that is, the test runs inside the
// wrapper and Wine's server with it.
bool FakePowerSupplyPresent();

// Back to the empty folder the wrapper mounts, which Wine reads as SetNoBattery does.
bool ClearPowerSupply();
// On mains without a system battery: percent 255, flag 128, no time estimate.
bool SetNoBattery();
// On mains with the battery at `percent` (0 to 100), charging or not: no time estimate.
bool SetOnMains(int percent, bool charging = true);
// On battery at `percent` (1 to 100) with `secondsLeft` (1 or more) seconds estimated.
bool SetOnBattery(std::uint32_t secondsLeft, int percent);

}  // namespace simulated_power
