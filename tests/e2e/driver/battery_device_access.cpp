#include "tests/e2e/driver/battery_device_access.h"

#include "battery/battery_win32.h"
#include "simulated/battery_driver/battery_presets.h"
#include "simulated/battery_driver/simulated_battery_registry_win32.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

bool SetBattery(const simulated_battery::Battery& battery, int slot) {
    return WriteSimulatedBattery(slot, battery);
}

bool ResetBattery() { return SetBattery(simulated_battery::DefaultBattery()); }

bool BatteryDeviceServed() {
    // A new Wine session starts its drivers while the first programs already run.
    return WaitUntil(
        [] {
            HANDLE device = OpenFirstBattery();
            if (device == nullptr) return false;
            CloseHandle(device);
            return true;
        },
        Milliseconds{5000});
}

}  // namespace e2e
