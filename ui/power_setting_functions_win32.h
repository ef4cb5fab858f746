// The power-setting notification functions as the platform offers them, looked up at run time.
#pragma once

#include "ui/power_setting_subscription.h"

PowerSettingFunctions& PlatformPowerSettingFunctions();
