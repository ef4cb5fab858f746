// Whole battery refreshes driven by arbitrary readings: power status values, driver answers
// with and without terminators, any chemistry bytes and capacities, any controller bytes,
// strings of any length, and any of the calls failing. Whatever they say, a refresh must keep
// every text of the snapshot terminated inside its field, touch nothing when the power status
// cannot be read, close the device it opened, and only ever read from the controller.
//
// Input, read front to back (zeros once it runs out):
//   u8 refresh count - 1 (low two bits); then for each refresh, as the sources are asked:
//   power:      u8 fails (bit 0); u8 mains state; u8 battery flag; u8 percent; u32 seconds
//   open:       u8 no device (bit 0)
//   a request:  u8 answer (low two bits): 0 fails, 1 the output filled with the next bytes,
//               2 a text: u8 length in units, the units, a terminator (text levels only),
//               3 the output filled with non-zero units and no terminator (text levels only)
//   controller: u8 fails (bit 0); u8 the status byte
//   a string:   u8 not found (bit 0); u16 length in units (up to 511); the units

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "battery/battery_ioctl.h"
#include "battery/battery_sources.h"
#include "battery/embedded_controller.h"
#include "battery/refresh_battery.h"
#include "common/debug_sink.h"
#include "resources/string_table.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using namespace battery_ioctl;

class FuzzedPower final : public PowerStatusSource {
public:
    explicit FuzzedPower(FuzzInput& input) : m_input(input) {}
    bool Read(PowerStatus& status) override {
        if (m_input.TakeBool()) return false;
        status.acLineStatus = m_input.TakeU8();
        status.batteryFlag = m_input.TakeU8();
        status.batteryLifePercent = m_input.TakeU8();
        status.batteryLifeTime = m_input.TakeU32();
        last = status;
        return true;
    }
    PowerStatus last;

private:
    FuzzInput& m_input;
};

class FuzzedBattery final : public BatteryDeviceAccess {
public:
    explicit FuzzedBattery(FuzzInput& input) : m_input(input) {}

    BatteryDevice OpenFirstBattery() override {
        ++opened;
        m_open = !m_input.TakeBool();
        return m_open ? this : nullptr;
    }
    void Close(BatteryDevice device) override {
        FuzzCheck(device == this && m_open, "only the opened device is closed, and once");
        m_open = false;
    }
    bool Control(BatteryDevice device, std::uint32_t code, const void* input,
                 std::uint32_t inputSize, void* output, std::uint32_t outputSize) override {
        FuzzCheck(device == nullptr || (device == this && m_open), "requests go to an open device");
        FuzzCheck(input != nullptr && output != nullptr, "every request has both records");
        // The platform writes only within the sizes it is given; so does this driver, so
        // AddressSanitizer catches a size larger than the record behind it.
        CheckSizes(code, input, inputSize, outputSize);
        if (device == nullptr) return false;
        auto* out = static_cast<std::uint8_t*>(output);
        const bool textLevel = code == kQueryInformation && IsTextLevel(input);
        switch (m_input.TakeU8() & 3) {
            case 1:
                m_input.TakeBytes({out, outputSize});
                return true;
            case 2:
                if (!textLevel) return false;
                WriteText(out, outputSize);
                return true;
            case 3:
                if (!textLevel) return false;
                FillUnterminated(out, outputSize);
                return true;
            default:
                return false;
        }
    }

    bool IsOpen() const { return m_open; }

    int opened = 0;

private:
    static bool IsTextLevel(const void* input) {
        QueryInformation query;
        std::memcpy(&query, input, sizeof query);
        return query.informationLevel == kDeviceName || query.informationLevel == kUniqueId ||
               query.informationLevel == kManufactureName;
    }
    static void CheckSizes(std::uint32_t code, const void* input, std::uint32_t inputSize,
                           std::uint32_t outputSize) {
        if (code == kQueryTag) {
            FuzzCheck(inputSize == 4 && outputSize == 4, "tag request sizes");
        } else if (code == kQueryStatus) {
            FuzzCheck(inputSize == sizeof(WaitStatus) && outputSize == sizeof(Status),
                      "status request sizes");
        } else {
            FuzzCheck(code == kQueryInformation, "only the three battery requests are issued");
            FuzzCheck(inputSize == sizeof(QueryInformation), "information request size");
            FuzzCheck(outputSize == (IsTextLevel(input) ? 510u : sizeof(Information)),
                      "information output size");
        }
    }
    void WriteText(std::uint8_t* out, std::uint32_t outputSize) {
        const std::uint32_t units = std::min<std::uint32_t>(m_input.TakeU8(), outputSize / 2 - 1);
        for (std::uint32_t i = 0; i < units; ++i) WriteUnit(out, i, m_input.TakeU16());
        WriteUnit(out, units, 0);
    }
    void FillUnterminated(std::uint8_t* out, std::uint32_t outputSize) {
        for (std::uint32_t i = 0; i < outputSize / 2; ++i) {
            const std::uint16_t unit = m_input.TakeU16();
            WriteUnit(out, i, unit != 0 ? unit : u'x');
        }
    }
    static void WriteUnit(std::uint8_t* out, std::size_t index, std::uint16_t unit) {
        out[index * 2] = static_cast<std::uint8_t>(unit);
        out[index * 2 + 1] = static_cast<std::uint8_t>(unit >> 8);
    }

    FuzzInput& m_input;
    bool m_open = false;
};

class FuzzedController final : public EmbeddedController {
public:
    explicit FuzzedController(FuzzInput& input) : m_input(input) {}
    int Evaluate(std::uint8_t command, std::uint8_t* input, int inputCount, std::uint8_t* output,
                 int outputCount) override {
        // A refresh reads status bytes; the charge switch belongs to the life page alone.
        FuzzCheck(command == 0xB0 && inputCount == 1 && outputCount == 1 && input && output,
                  "a refresh only reads single status bytes");
        ++reads;
        if (m_input.TakeBool()) {
            m_input.TakeU8();
            return 0;
        }
        *output = m_input.TakeU8();
        return 1;
    }
    int reads = 0;

private:
    FuzzInput& m_input;
};

class FuzzedStrings final : public StringTable {
public:
    explicit FuzzedStrings(FuzzInput& input) : m_input(input) {}
    bool Load(std::uint16_t, std::u16string& text) const override {
        if (m_input.TakeBool()) return false;
        // Up to twice the widest field, so every field meets texts that do not fit.
        const std::size_t length = m_input.TakeU16() % 512u;
        text.assign(length, u'\0');
        for (char16_t& unit : text) unit = static_cast<char16_t>(m_input.TakeU16());
        return true;
    }

private:
    FuzzInput& m_input;
};

class CheckingDebugSink final : public DebugSink {
public:
    void Write(const char16_t* line) override {
        // Walking to the terminator makes AddressSanitizer catch a line that lacks one.
        const std::u16string_view text(line);
        FuzzCheck(text.size() < 260, "a debug line fits its buffer");
    }
};

template <std::size_t N>
void CheckTerminated(const char16_t (&field)[N], const char* invariant) {
    FuzzCheck(std::find(field, field + N, u'\0') != field + N, invariant);
}

void CheckSnapshot(const BatterySnapshot& snapshot) {
    CheckTerminated(snapshot.percentText, "percentText is terminated in its field");
    CheckTerminated(snapshot.timeText, "timeText is terminated in its field");
    CheckTerminated(snapshot.stateText, "stateText is terminated in its field");
    CheckTerminated(snapshot.deviceName, "deviceName is terminated in its field");
    CheckTerminated(snapshot.uniqueId, "uniqueId is terminated in its field");
    CheckTerminated(snapshot.manufacturer, "manufacturer is terminated in its field");
    CheckTerminated(snapshot.healthText, "healthText is terminated in its field");
    FuzzCheck(snapshot.chemistry[4] == u'\0', "the chemistry terminator is never written");
    FuzzCheck(snapshot.powerKind >= PowerKindUnknown && snapshot.powerKind <= PowerKindOnBattery,
              "powerKind is one of the five codes");
    FuzzCheck(snapshot.percent >= 0 && snapshot.percent <= 255, "percent is the status's byte");
}

template <std::size_t N>
bool SameText(const char16_t (&a)[N], const char16_t (&b)[N]) {
    return std::equal(a, a + N, b);
}

bool SameSnapshot(const BatterySnapshot& a, const BatterySnapshot& b) {
    return a.percent == b.percent && SameText(a.percentText, b.percentText) &&
           SameText(a.timeText, b.timeText) && SameText(a.stateText, b.stateText) &&
           a.powerKind == b.powerKind && SameText(a.deviceName, b.deviceName) &&
           SameText(a.uniqueId, b.uniqueId) && SameText(a.manufacturer, b.manufacturer) &&
           SameText(a.chemistry, b.chemistry) && SameText(a.healthText, b.healthText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input({data, size});
    FuzzedPower power(input);
    FuzzedBattery battery(input);
    FuzzedController ec(input);
    const FuzzedStrings strings(input);
    CheckingDebugSink debug;
    const BatterySources sources{power, battery, ec, strings, debug};

    // Several refreshes into one snapshot, as a page does, so that one refresh meets what an
    // earlier one left behind.
    BatterySnapshot snapshot;
    const int refreshes = 1 + (input.TakeU8() & 3);
    for (int i = 0; i < refreshes; ++i) {
        const BatterySnapshot before = snapshot;
        battery.opened = ec.reads = 0;

        const bool refreshed = RefreshBattery(snapshot, sources);

        CheckSnapshot(snapshot);
        FuzzCheck(ec.reads <= 4, "at most four controller reads per refresh");
        if (!refreshed) {
            FuzzCheck(SameSnapshot(before, snapshot),
                      "a failed refresh leaves the snapshot untouched");
            FuzzCheck(battery.opened == 0 && ec.reads == 0, "a failed refresh reads nothing else");
            continue;
        }
        FuzzCheck(battery.opened == 1, "each refresh opens the device once");
        FuzzCheck(!battery.IsOpen(), "the device never outlives a refresh");
        FuzzCheck(snapshot.percent == power.last.batteryLifePercent, "percent is the status's");
        if (power.last.acLineStatus > 1) {
            FuzzCheck(snapshot.powerKind == before.powerKind,
                      "an unknown mains state keeps the kind");
        }
    }
    return 0;
}
