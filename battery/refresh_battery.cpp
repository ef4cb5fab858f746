#include "battery/refresh_battery.h"

#include <string>

#include "battery/battery_ioctl.h"
#include "battery/battery_sources.h"
#include "battery/embedded_controller.h"
#include "common/debug_sink.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "resources/string_table.h"

namespace {

using namespace battery_ioctl;

constexpr std::uint8_t kNoSystemBattery = 128;
constexpr std::uint8_t kPercentUnknown = 255;
constexpr std::uint32_t kTimeUnknown = 0xFFFFFFFF;
constexpr std::uint32_t kTagWaitMs = 200;

void FormatPercent(BatterySnapshot& snapshot, const StringTable& strings) {
    if (snapshot.percent == kPercentUnknown) {
        CopyText(snapshot.percentText, LoadText(strings, IDS_PERCENT_UNKNOWN));
    } else {
        FixedText(snapshot.percentText).AppendDecimal(snapshot.percent).Append(u"%");
    }
}

void FormatTime(BatterySnapshot& snapshot, std::uint32_t seconds, const StringTable& strings) {
    const std::u16string hours = LoadText(strings, IDS_UNIT_HOURS);
    const std::u16string minutes = LoadText(strings, IDS_UNIT_MINUTES);
    if (seconds == kTimeUnknown) {
        CopyText(snapshot.timeText, u"NULL");
        return;
    }
    const std::uint32_t h = seconds / 3600;
    const std::uint32_t m = seconds % 3600 / 60;
    FixedText text(snapshot.timeText);
    if (h >= 1) text.AppendDecimal(h).Append(u" ").Append(hours).Append(u" ");
    text.AppendDecimal(m, 2).Append(u" ").Append(minutes);
}

void SetPowerKind(BatterySnapshot& snapshot, const PowerStatus& power, const BatterySources& s) {
    if (power.acLineStatus == 1) {
        if (power.batteryFlag == kNoSystemBattery) {
            snapshot.powerKind = PowerKindMainsNoBattery;
        } else {
            snapshot.powerKind =
                IsBtChargeOff(s.ec, s.debug) ? PowerKindMainsChargeOff : PowerKindMainsCharging;
        }
    } else if (power.acLineStatus == 0) {
        snapshot.powerKind = PowerKindOnBattery;
    }
    // Any other mains state says nothing new: the previous kind stands.
}

std::uint32_t QueryTag(BatteryDeviceAccess& devices, BatteryDevice device) {
    std::uint32_t wait = kTagWaitMs;
    std::uint32_t tag = 0;
    devices.Control(device, kQueryTag, &wait, sizeof wait, &tag, sizeof tag);
    return tag;
}

void SetStateText(BatterySnapshot& snapshot, std::uint8_t batteryFlag, std::uint32_t powerState,
                  const StringTable& strings) {
    FixedText text(snapshot.stateText);
    if (batteryFlag == kNoSystemBattery) {
        text.Append(LoadText(strings, IDS_STATE_NO_BATTERY));
    } else if (powerState == kPowerOnLine) {
        text.Append(LoadText(strings, IDS_STATE_IDLE));
    } else if (powerState & kCritical) {
        text.Append(LoadText(strings, IDS_STATE_CRITICAL)).Append(u" - ");
        if (powerState & kDischarging) {
            text.Append(LoadText(strings, IDS_STATE_DISCHARGING));
        } else if (powerState & kCharging) {
            text.Append(LoadText(strings, IDS_STATE_CHARGING));
        }
    } else if (powerState & kDischarging) {
        text.Append(LoadText(strings, IDS_STATE_DISCHARGING));
    } else if (powerState & kCharging) {
        text.Append(LoadText(strings, IDS_STATE_CHARGING));
    }
}

// A text request writes the driver's answer straight into the field. The driver may fill
// the whole field without a terminator, so the last unit is forced back to 0 afterwards.
template <std::size_t N>
void QueryText(BatteryDeviceAccess& devices, BatteryDevice device, std::uint32_t tag,
               std::int32_t level, char16_t (&field)[N], DebugSink& debug,
               const char16_t* failure) {
    QueryInformation query{tag, level, 0};
    if (!devices.Control(device, kQueryInformation, &query, sizeof query, field, sizeof field)) {
        debug.Write(failure);
    }
    ForceTerminated(field);
}

std::uint16_t ChooseVerdict(const Information& info, const BatterySources& s) {
    if (!IsBtIdentifiedF3(s.ec, s.debug)) return IDS_BT_NOT_IDENTIFIED;
    if (!IsBtIdentifiedF2(s.ec, s.debug)) return IDS_BT_NOT_IDENTIFIED;
    if (IsBtReplaceNeeded(s.ec, s.debug)) return IDS_HEALTH_REPLACE;
    const double ratio =
        static_cast<double>(info.fullChargedCapacity) / static_cast<double>(info.designedCapacity);
    if (ratio >= 0.65) return IDS_HEALTH_NORMAL;
    if (ratio > 0.5) return IDS_HEALTH_DECREASING;
    if (ratio > 0.25) return IDS_HEALTH_END_OF_LIFE;
    if (ratio <= 0.25) return IDS_HEALTH_REPLACE;
    return 0;  // both capacities 0: no verdict
}

}  // namespace

bool RefreshBattery(BatterySnapshot& snapshot, const BatterySources& s) {
    PowerStatus power;
    if (!s.power.Read(power)) {
        s.debug.Write(u"GetSystemPowerStatus Fail");
        return false;
    }

    snapshot.percent = power.batteryLifePercent;
    FormatPercent(snapshot, s.strings);
    FormatTime(snapshot, power.batteryLifeTime, s.strings);
    SetPowerKind(snapshot, power, s);

    BatteryDevice device = s.devices.OpenFirstBattery();

    // Zeros stand in for a record whose request failed: an empty state text, no verdict.
    WaitStatus wait{QueryTag(s.devices, device), 0, 0, 0, 0};
    Status status{};
    if (!s.devices.Control(device, kQueryStatus, &wait, sizeof wait, &status, sizeof status)) {
        s.debug.Write(u"Get SystemStatus DeviceIoControl Fail");
        status = {};
    }
    SetStateText(snapshot, power.batteryFlag, status.powerState, s.strings);

    const std::uint32_t tag = QueryTag(s.devices, device);
    QueryText(s.devices, device, tag, kDeviceName, snapshot.deviceName, s.debug,
              u"Get Name DeviceIoControl Fail");
    QueryText(s.devices, device, tag, kUniqueId, snapshot.uniqueId, s.debug,
              u"Get ID DeviceIoControl Fail");
    QueryText(s.devices, device, tag, kManufactureName, snapshot.manufacturer, s.debug,
              u"Get Manu DeviceIoControl Fail in GetBtManuName");
    QueryInformation query{tag, kBatteryInformation, 0};
    Information info{};
    if (!s.devices.Control(device, kQueryInformation, &query, sizeof query, &info, sizeof info)) {
        s.debug.Write(u"Get BtInfo DeviceIoControl Fail");
        info = {};
    }

    for (int i = 0; i < 4; ++i) snapshot.chemistry[i] = info.chemistry[i];

    const std::uint16_t verdict = ChooseVerdict(info, s);
    CopyText(snapshot.healthText, verdict != 0 ? LoadText(s.strings, verdict) : u"");

    if (device != nullptr) s.devices.Close(device);
    return true;
}
