// What a battery refresh reads from, as small interfaces: the platform supplies the real
// ones, tests supply scripted ones.
#pragma once

#include <cstdint>

struct PowerStatus {
    std::uint8_t acLineStatus = 0;  // 0 off line, 1 on line, 255 unknown
    std::uint8_t batteryFlag = 0;   // 128 exactly: no system battery
    std::uint8_t batteryLifePercent = 0;
    std::uint32_t batteryLifeTime = 0;  // seconds, 0xFFFFFFFF when unknown
};

class PowerStatusSource {
public:
    virtual ~PowerStatusSource() = default;
    virtual bool Read(PowerStatus& status) = 0;
};

// The first battery device and the driver's requests on it. A device is an opaque handle;
// null is "no device", on which every request fails.
using BatteryDevice = void*;

class BatteryDeviceAccess {
public:
    virtual ~BatteryDeviceAccess() = default;
    virtual BatteryDevice OpenFirstBattery() = 0;
    // One synchronous request; true when the driver carried it out.
    virtual bool Control(BatteryDevice device, std::uint32_t code, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize) = 0;
    virtual void Close(BatteryDevice device) = 0;
};
