// The platform's power status and battery device, behind the refresh's interfaces.
#pragma once

#include <windows.h>

#include "battery/battery_sources.h"

// Opens interface `index` of the battery device class for requests; null when there is none
// or it cannot be opened. The caller closes the handle. The program opens only the first, with
// normal attributes; tools may ask for overlapped requests.
HANDLE OpenBatteryInterface(DWORD index, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
HANDLE OpenFirstBattery();

class Win32PowerStatus final : public PowerStatusSource {
public:
    bool Read(PowerStatus& status) override;
};

class Win32BatteryDevices final : public BatteryDeviceAccess {
public:
    BatteryDevice OpenFirstBattery() override;
    bool Control(BatteryDevice device, std::uint32_t code, const void* input,
                 std::uint32_t inputSize, void* output, std::uint32_t outputSize) override;
    void Close(BatteryDevice device) override;
};
