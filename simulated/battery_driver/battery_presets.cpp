#include "simulated/battery_driver/battery_presets.h"

#include <cstring>

#include "battery/battery_ioctl.h"
#include "simulated/battery_driver/battery_answer.h"

namespace simulated_battery {
namespace {

constexpr std::int32_t kDischargeRate = -17280;  // mW: 36000 mWh last 7500 s
constexpr std::int32_t kChargeRate = 24000;

}  // namespace

void SetText(DriverText& text, std::u16string_view value) {
    const std::size_t units =
        value.size() < sizeof text.bytes / 2 ? value.size() + 1 : sizeof text.bytes / 2;
    std::memset(text.bytes, 0, sizeof text.bytes);
    std::memcpy(text.bytes, value.data(), (units - 1) * 2);
    text.byteCount = static_cast<std::uint16_t>(units * 2);
}

void FillText(DriverText& text, std::uint16_t byteCount) {
    if (byteCount > sizeof text.bytes) byteCount = sizeof text.bytes;
    for (std::uint16_t i = 0; i + 1 < byteCount; i += 2) {
        const char16_t unit = static_cast<char16_t>(u'A' + (i / 2) % 26);
        std::memcpy(text.bytes + i, &unit, 2);
    }
    text.byteCount = byteCount;
}

Battery DefaultBattery() {
    Battery battery{};
    battery.tag = 1;
    battery.status.powerState = battery_ioctl::kDischarging;
    battery.status.capacity = 36000;
    battery.status.voltage = 11100;
    battery.status.rate = kDischargeRate;
    battery.information.capabilities = 0x80000000;  // a system battery
    battery.information.technology = 1;
    std::memcpy(battery.information.chemistry, "LION", 4);
    battery.information.designedCapacity = 50000;
    battery.information.fullChargedCapacity = 48000;
    battery.information.defaultAlert1 = 2400;
    battery.information.defaultAlert2 = 1200;
    battery.information.cycleCount = 112;
    battery.granularity = 10;
    battery.temperature = 2982;
    battery.manufactureDay = 14;
    battery.manufactureMonth = 3;
    battery.manufactureYear = 2026;
    SetText(battery.deviceName, u"Varn 6-cell Li-ion 48 Wh");
    SetText(battery.manufactureName, u"Varn");
    SetText(battery.uniqueId, u"0417VarnV6C48");
    SetText(battery.serialNumber, u"0417");
    return battery;
}

void PlugIn(Battery& battery) {
    battery.status.powerState = battery_ioctl::kPowerOnLine | battery_ioctl::kCharging;
    battery.status.rate = kChargeRate;
}

void Unplug(Battery& battery) {
    battery.status.powerState = battery_ioctl::kDischarging;
    battery.status.rate = kDischargeRate;
}

void WearOut(Battery& battery) {
    battery.information.fullChargedCapacity = battery.information.designedCapacity * 2 / 5;
    if (battery.status.capacity > battery.information.fullChargedCapacity)
        battery.status.capacity = battery.information.fullChargedCapacity;
    battery.information.cycleCount += 900;
}

void Pull(Battery& battery) { battery.tag = 0; }

void Replace(Battery& battery) {
    const std::uint32_t lastTag = battery.tag;
    battery = DefaultBattery();
    battery.tag = lastTag + 2;  // never the tag of the battery before, nor 0
    battery.information.fullChargedCapacity = battery.information.designedCapacity;
    battery.information.cycleCount = 3;
    SetText(battery.uniqueId, u"0926VarnV6C50");
    SetText(battery.serialNumber, u"0926");
}

PowerPicture PowerPictureOf(const Battery& battery) {
    PowerPicture picture{};
    picture.batteryPresent = battery.tag != 0;
    picture.onMains =
        !picture.batteryPresent || (battery.status.powerState & battery_ioctl::kPowerOnLine);
    picture.charging =
        picture.batteryPresent && (battery.status.powerState & battery_ioctl::kCharging);
    if (battery.information.fullChargedCapacity != 0) {
        const std::uint64_t percent =
            std::uint64_t{battery.status.capacity} * 100 / battery.information.fullChargedCapacity;
        picture.percent = percent > 100 ? 100 : static_cast<int>(percent);
    }
    const std::uint32_t seconds = EstimatedTime(battery);
    if (!picture.onMains && seconds != kUnknownTime) picture.secondsLeft = seconds;
    return picture;
}

}  // namespace simulated_battery
