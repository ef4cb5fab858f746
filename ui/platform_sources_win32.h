// The platform's readings, controller and debug output behind the portable interfaces, as the
// pages and the sheet use them.
#pragma once

#include "battery/battery_win32.h"
#include "battery/qelt_controller_win32.h"
#include "battery/refresh_battery.h"
#include "common/debugger_output_win32.h"
#include "framework/afx_resources.h"

struct PlatformSources {
    Win32PowerStatus power;
    Win32BatteryDevices devices;
    QeltController ec;
    CResourceStrings strings;
    DebuggerOutput debug;

    BatterySources Battery() { return {power, devices, ec, strings, debug}; }
};
