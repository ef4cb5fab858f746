#include "tools/kestrumctl/battery_command_win32.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

#include "battery/battery_ioctl.h"
#include "battery/battery_win32.h"
#include "simulated/battery_driver/battery_presets.h"
#include "simulated/battery_driver/driver_install_win32.h"
#include "simulated/battery_driver/simulated_battery_registry_win32.h"
#include "simulated/power_supply/fake_power_supply.h"
#include "tools/kestrumctl/command_text.h"
#include "tools/kestrumctl/console_win32.h"

namespace {

using simulated_battery::Battery;
using simulated_battery::DriverText;

std::u16string_view Wide(const wchar_t* text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const char16_t*>(text);
}

template <typename Integer>
bool ParseInto(std::wstring_view text, Integer& field) {
    std::int64_t value = 0;
    if (!ParseNumber(text, value)) return false;
    field = static_cast<Integer>(value);
    return true;
}

// Up to four characters, or 0x and eight hexadecimal digits for four bytes of any value.
bool ParseChemistry(std::wstring_view text, std::uint8_t (&chemistry)[4]) {
    std::int64_t bytes = 0;
    if (text.size() == 10 && text.substr(0, 2) == L"0x" && ParseNumber(text, bytes)) {
        for (int i = 0; i < 4; ++i) chemistry[i] = static_cast<std::uint8_t>(bytes >> (24 - 8 * i));
        return true;
    }
    if (text.size() > 4) return false;
    std::memset(chemistry, 0, sizeof chemistry);
    for (std::size_t i = 0; i < text.size(); ++i) chemistry[i] = static_cast<std::uint8_t>(text[i]);
    return true;
}

// "fill" gives a text that takes the whole 510-byte field a client asks with, unterminated.
bool ParseText(std::wstring_view text, DriverText& field) {
    if (text == L"fill") {
        simulated_battery::FillText(field, 510);
    } else {
        simulated_battery::SetText(field, std::u16string_view(Wide(std::wstring(text).c_str())));
    }
    return true;
}

bool ParseFailures(std::wstring_view text, std::uint32_t& failures) {
    failures = 0;
    if (text == L"none") return true;
    while (!text.empty()) {
        const std::size_t comma = text.find(L',');
        const std::wstring_view name = text.substr(0, comma);
        if (name == L"tag") {
            failures |= simulated_battery::kFailTag;
        } else if (name == L"status") {
            failures |= simulated_battery::kFailStatus;
        } else if (name == L"information") {
            failures |= simulated_battery::kFailInformation;
        } else {
            return false;
        }
        text = comma == std::wstring_view::npos ? std::wstring_view{} : text.substr(comma + 1);
    }
    return true;
}

bool SetField(Battery& b, std::wstring_view name, std::wstring_view value) {
    if (name == L"tag") return ParseInto(value, b.tag);
    if (name == L"state") return ParseInto(value, b.status.powerState);
    if (name == L"capacity") return ParseInto(value, b.status.capacity);
    if (name == L"voltage") return ParseInto(value, b.status.voltage);
    if (name == L"rate") return ParseInto(value, b.status.rate);
    if (name == L"designed") return ParseInto(value, b.information.designedCapacity);
    if (name == L"full") return ParseInto(value, b.information.fullChargedCapacity);
    if (name == L"cycles") return ParseInto(value, b.information.cycleCount);
    if (name == L"temperature") return ParseInto(value, b.temperature);
    if (name == L"chemistry") return ParseChemistry(value, b.information.chemistry);
    if (name == L"name") return ParseText(value, b.deviceName);
    if (name == L"id") return ParseText(value, b.uniqueId);
    if (name == L"manufacturer") return ParseText(value, b.manufactureName);
    if (name == L"serial") return ParseText(value, b.serialNumber);
    if (name == L"fail") return ParseFailures(value, b.failures);
    return false;
}

int Usage() {
    PrintError(
        u"usage: kestrumctl battery show\n"
        u"       kestrumctl battery [--slot N] set NAME=VALUE...\n"
        u"         tag state capacity voltage rate designed full cycles temperature\n"
        u"         chemistry=LION|0xHHHHHHHH name= id= manufacturer= serial= (TEXT or fill)\n"
        u"         fail=none|tag,status,information\n"
        u"       kestrumctl battery [--slot N] default | plug-in | unplug | wear | pull | replace\n"
        u"       kestrumctl battery install [COUNT]\n"
        u"       kestrumctl notify");
    return 2;
}

// Makes the platform's power status tell the same story as the battery, where a run has the
// fake power supply, and tells the open windows.
void ShowPowerPicture(const Battery& battery) {
    if (!simulated_power::FakePowerSupplyPresent()) return;
    const simulated_battery::PowerPicture picture = simulated_battery::PowerPictureOf(battery);
    if (!picture.batteryPresent) {
        simulated_power::SetNoBattery();
    } else if (picture.onMains || picture.secondsLeft == 0) {
        simulated_power::SetOnMains(picture.percent, picture.charging);
    } else {
        simulated_power::SetOnBattery(picture.secondsLeft,
                                      picture.percent < 1 ? 1 : picture.percent);
    }
}

std::u16string TextOf(const std::uint8_t* bytes, std::uint32_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), bytes, text.size() * 2);
    const std::size_t end = text.find(u'\0');
    if (end == std::u16string::npos) return text + u"  (no terminator)";
    return text.substr(0, end);
}

// One interface's answers, asked as a client asks, without waiting.
void ShowInterface(DWORD index, HANDLE device) {
    PrintLine(u"interface " + Decimal(index));
    using namespace battery_ioctl;
    std::uint32_t wait = 0, tag = 0;
    DWORD returned = 0;
    if (!DeviceIoControl(device, kQueryTag, &wait, sizeof wait, &tag, sizeof tag, &returned,
                         nullptr)) {
        PrintLine(u"  tag          fails, error " + Decimal(GetLastError()));
        return;
    }
    PrintLine(u"  tag          " + Decimal(tag));
    WaitStatus waitStatus{tag, 0, 0, 0, 0};
    Status status{};
    if (DeviceIoControl(device, kQueryStatus, &waitStatus, sizeof waitStatus, &status,
                        sizeof status, &returned, nullptr)) {
        PrintLine(u"  status       state " + Decimal(status.powerState) + u", " +
                  Decimal(status.capacity) + u" mWh, " + Decimal(status.voltage) + u" mV, " +
                  Decimal(status.rate) + u" mW");
    }
    const struct {
        std::int32_t level;
        const char16_t* name;
        bool text;
    } levels[] = {{kDeviceName, u"  name         ", true},
                  {kUniqueId, u"  id           ", true},
                  {kManufactureName, u"  manufacturer ", true},
                  {kSerialNumber, u"  serial       ", true},
                  {kBatteryInformation, u"  information  ", false}};
    for (const auto& level : levels) {
        QueryInformation query{tag, level.level, 0};
        std::uint8_t output[510] = {};
        if (!DeviceIoControl(device, kQueryInformation, &query, sizeof query, output, sizeof output,
                             &returned, nullptr)) {
            PrintLine(level.name + std::u16string(u"fails, error ") + Decimal(GetLastError()));
        } else if (level.text) {
            PrintLine(level.name + TextOf(output, returned));
        } else {
            Information information;
            std::memcpy(&information, output, sizeof information);
            std::u16string chemistry;
            for (const std::uint8_t byte : information.chemistry) {
                if (byte == 0) break;
                chemistry += static_cast<char16_t>(byte);
            }
            PrintLine(level.name + chemistry + u", designed " +
                      Decimal(information.designedCapacity) + u" mWh, full " +
                      Decimal(information.fullChargedCapacity) + u" mWh, " +
                      Decimal(information.cycleCount) + u" cycles");
        }
    }
}

int Show() {
    for (int slot = 0; slot < simulated_battery::kMaxBatteries; ++slot) {
        Battery battery;
        if (!ReadSimulatedBattery(slot, battery)) continue;
        PrintLine(u"battery " + Decimal(slot) + u": tag " + Decimal(battery.tag) + u", state " +
                  Decimal(battery.status.powerState) + u", failures " + Decimal(battery.failures));
    }
    DWORD index = 0;
    for (HANDLE device; (device = OpenBatteryInterface(index)) != nullptr; ++index) {
        ShowInterface(index, device);
        CloseHandle(device);
    }
    if (index == 0) PrintLine(u"no battery device interface");
    return 0;
}

int Install(int argc, wchar_t** argv) {
    std::int64_t count = 1;
    if (argc > 3 &&
        (!ParseNumber(argv[3], count) || count < 1 || count > simulated_battery::kMaxBatteries)) {
        return Usage();
    }
    std::u16string failure;
    if (!InstallBatteryDriver(static_cast<int>(count), failure)) {
        PrintError(u"the battery driver could not be installed: " + failure);
        return 1;
    }
    // A slot that has never been written holds the default battery.
    for (int slot = 0; slot < count; ++slot) {
        Battery battery;
        if (!ReadSimulatedBattery(slot, battery)) {
            WriteSimulatedBattery(slot, simulated_battery::DefaultBattery());
        }
    }
    return 0;
}

// The state written last; the default battery where none has been.
Battery CurrentBattery(int slot) {
    Battery battery;
    if (!ReadSimulatedBattery(slot, battery)) battery = simulated_battery::DefaultBattery();
    return battery;
}

// A scene changes the battery, then the power situation to match, then tells the windows.
int Scene(int slot, std::wstring_view name) {
    Battery battery = CurrentBattery(slot);
    if (name == L"default") {
        battery = simulated_battery::DefaultBattery();
    } else if (name == L"plug-in") {
        simulated_battery::PlugIn(battery);
    } else if (name == L"unplug") {
        simulated_battery::Unplug(battery);
    } else if (name == L"wear") {
        simulated_battery::WearOut(battery);
    } else if (name == L"pull") {
        simulated_battery::Pull(battery);
    } else if (name == L"replace") {
        simulated_battery::Replace(battery);
    } else {
        return Usage();
    }
    if (!WriteSimulatedBattery(slot, battery)) {
        PrintError(u"the battery state could not be written");
        return 1;
    }
    if (slot == 0) ShowPowerPicture(battery);
    return NotifyPowerChange();
}

int Set(int slot, int first, int argc, wchar_t** argv) {
    Battery battery = CurrentBattery(slot);
    for (int i = first; i < argc; ++i) {
        const std::wstring_view assignment = argv[i];
        const std::size_t equals = assignment.find(L'=');
        if (equals == std::wstring_view::npos ||
            !SetField(battery, assignment.substr(0, equals), assignment.substr(equals + 1))) {
            PrintError(u"not a battery field: " + std::u16string(Wide(argv[i])));
            return 2;
        }
    }
    if (!WriteSimulatedBattery(slot, battery)) {
        PrintError(u"the battery state could not be written");
        return 1;
    }
    return 0;
}

}  // namespace

int NotifyPowerChange() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0,
                        SMTO_ABORTIFHUNG, 2000, &result);
    return 0;
}

int BatteryCommand(int argc, wchar_t** argv) {
    int next = 2;
    std::int64_t slot = 0;
    if (argc > next + 1 && std::wstring_view(argv[next]) == L"--slot") {
        if (!ParseNumber(argv[next + 1], slot) || slot < 0 ||
            slot >= simulated_battery::kMaxBatteries) {
            return Usage();
        }
        next += 2;
    }
    const std::wstring_view verb = argc > next ? argv[next] : L"";
    if (verb == L"show" && argc == next + 1) return Show();
    if (verb == L"install") return Install(argc, argv);
    if (verb == L"set" && argc > next + 1) return Set(static_cast<int>(slot), next + 1, argc, argv);
    if (argc == next + 1) return Scene(static_cast<int>(slot), verb);
    return Usage();
}
