// The simulated battery's state: what the development battery driver answers. The developer
// tool writes it as one binary registry value under the driver's service key, and the driver
// reads it afresh on every request, so a change is seen by the very next request.
//
// Plain fixed-size fields only: the same bytes are read by the kernel-mode driver (no
// runtime there) and written by user-mode tools of either bitness.
#pragma once

#include <cstdint>

#include "battery/battery_ioctl.h"

namespace simulated_battery {

// A text exactly as the driver hands it out: `byteCount` bytes of UTF-16, with or without a
// terminator. 512 bytes is one unit more than the widest field a client asks with.
struct DriverText {
    std::uint16_t byteCount;
    std::uint8_t bytes[512];
};

// A failure switch per request: the request fails as a device that does not answer would.
constexpr std::uint32_t kFailTag = 0x1;
constexpr std::uint32_t kFailStatus = 0x2;
constexpr std::uint32_t kFailInformation = 0x4;

struct Battery {
    std::uint32_t tag;  // 0: no battery in the slot; a new value: a battery replaced
    std::uint32_t failures;
    // The records the status and information requests give, as the platform lays them out.
    battery_ioctl::Status status;
    battery_ioctl::Information information;
    // The other information levels.
    std::uint32_t granularity;  // mWh per reported step
    std::uint32_t temperature;  // tenths of a kelvin
    std::uint8_t manufactureDay;
    std::uint8_t manufactureMonth;
    std::uint16_t manufactureYear;
    DriverText deviceName;
    DriverText manufactureName;
    DriverText uniqueId;
    DriverText serialNumber;
};

// Up to two batteries, one device each; the registry value of battery n is kValueNames[n].
constexpr int kMaxBatteries = 2;
constexpr const char16_t* kValueNames[kMaxBatteries] = {u"Battery0", u"Battery1"};
constexpr const char16_t* kServiceName = u"KestrumBattery";

}  // namespace simulated_battery
