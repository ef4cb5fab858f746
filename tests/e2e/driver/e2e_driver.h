// Everything an end-to-end test uses to drive a program from outside, under Wine.
#pragma once

#include "simulated/power_supply/fake_power_supply.h"
#include "tests/e2e/driver/battery_device_access.h"
#include "tests/e2e/driver/debuggee.h"
#include "tests/e2e/driver/foreign_window.h"
#include "tests/e2e/driver/kestrum_program.h"
#include "tests/e2e/driver/key_blocker.h"
#include "tests/e2e/driver/keyboard_input.h"
#include "tests/e2e/driver/process_counters.h"
#include "tests/e2e/driver/program_paths.h"
#include "tests/e2e/driver/program_run.h"
#include "tests/e2e/driver/property_sheet.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/settled_screenshot.h"
#include "tests/e2e/driver/sheet_fixture.h"
#include "tests/e2e/driver/simulator_access.h"
#include "tests/e2e/driver/tab_control.h"
#include "tests/e2e/driver/window_icons.h"
#include "tests/e2e/driver/window_messages.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {
// The power situation is simulated hardware, which the developer tool sets too.
using simulated_power::ClearPowerSupply;
using simulated_power::FakePowerSupplyPresent;
using simulated_power::SetNoBattery;
using simulated_power::SetOnBattery;
using simulated_power::SetOnMains;
}  // namespace e2e
