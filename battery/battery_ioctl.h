// The battery class driver's requests and records, laid out byte for byte as the platform
// publishes them, so that the refresh can build and read them without the platform's headers.
#pragma once

#include <cstdint>

namespace battery_ioctl {

constexpr std::uint32_t kQueryTag = 0x294040;
constexpr std::uint32_t kQueryInformation = 0x294044;
constexpr std::uint32_t kQueryStatus = 0x29404C;

// Flags of BatteryStatus::powerState.
constexpr std::uint32_t kPowerOnLine = 0x1;
constexpr std::uint32_t kDischarging = 0x2;
constexpr std::uint32_t kCharging = 0x4;
constexpr std::uint32_t kCritical = 0x8;

// Information levels; the program asks for 0, 4, 6 and 7.
constexpr std::int32_t kBatteryInformation = 0;
constexpr std::int32_t kGranularityInformation = 1;
constexpr std::int32_t kTemperature = 2;
constexpr std::int32_t kEstimatedTime = 3;
constexpr std::int32_t kDeviceName = 4;
constexpr std::int32_t kManufactureDate = 5;
constexpr std::int32_t kManufactureName = 6;
constexpr std::int32_t kUniqueId = 7;
constexpr std::int32_t kSerialNumber = 8;

struct WaitStatus {
    std::uint32_t batteryTag;
    std::uint32_t timeout;
    std::uint32_t powerState;
    std::uint32_t lowCapacity;
    std::uint32_t highCapacity;
};

struct Status {
    std::uint32_t powerState;
    std::uint32_t capacity;
    std::uint32_t voltage;
    std::int32_t rate;
};

struct QueryInformation {
    std::uint32_t batteryTag;
    std::int32_t informationLevel;
    std::int32_t atRate;
};

struct Information {
    std::uint32_t capabilities;
    std::uint8_t technology;
    std::uint8_t reserved[3];
    std::uint8_t chemistry[4];
    std::uint32_t designedCapacity;
    std::uint32_t fullChargedCapacity;
    std::uint32_t defaultAlert1;
    std::uint32_t defaultAlert2;
    std::uint32_t criticalBias;
    std::uint32_t cycleCount;
};

static_assert(sizeof(WaitStatus) == 20);
static_assert(sizeof(Status) == 16);
static_assert(sizeof(QueryInformation) == 12);
static_assert(sizeof(Information) == 36);

}  // namespace battery_ioctl
