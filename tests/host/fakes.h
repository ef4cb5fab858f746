// Scripted stand-ins for the refresh's sources, and the English string table from the
// compiled resources.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "battery/battery_ioctl.h"
#include "battery/battery_sources.h"
#include "battery/embedded_controller.h"
#include "common/debug_sink.h"
#include "resources/res_file.h"
#include "resources/res_string_blocks.h"
#include "resources/string_table.h"

class RecordingDebugSink final : public DebugSink {
public:
    void Write(const char16_t* line) override { lines.emplace_back(line); }
    std::vector<std::u16string> lines;
};

class ScriptedPower final : public PowerStatusSource {
public:
    bool Read(PowerStatus& out) override {
        if (!readable) return false;
        out = status;
        return true;
    }
    bool readable = true;
    PowerStatus status{1, 1, 87, 0xFFFFFFFF};
};

// A controller with a 256-byte name space that records every call.
class ScriptedController final : public EmbeddedController {
public:
    struct Call {
        std::uint8_t command, input;
        int outputCount;
    };
    int Evaluate(std::uint8_t command, std::uint8_t* input, int inputCount, std::uint8_t* output,
                 int outputCount) override {
        calls.push_back({command, inputCount > 0 ? input[0] : std::uint8_t{0}, outputCount});
        if (command == 0xB0 && outputCount == 1 && !failReads) output[0] = nameSpace[input[0]];
        return failReads ? 0 : 1;
    }
    std::vector<std::uint8_t> ReadAddresses() const {
        std::vector<std::uint8_t> addresses;
        for (const Call& call : calls) {
            if (call.command == 0xB0) addresses.push_back(call.input);
        }
        return addresses;
    }
    std::uint8_t nameSpace[256] = {};
    bool failReads = false;
    std::vector<Call> calls;
};

// One battery behind the driver's requests; each answer can be made to fail.
class ScriptedBattery final : public BatteryDeviceAccess {
public:
    struct Request {
        std::uint32_t code;
        std::vector<std::uint8_t> input;
        std::uint32_t outputSize;
    };

    BatteryDevice OpenFirstBattery() override {
        ++opened;
        return present ? this : nullptr;
    }
    void Close(BatteryDevice device) override {
        if (device == this) ++closed;
    }
    bool Control(BatteryDevice device, std::uint32_t code, const void* input,
                 std::uint32_t inputSize, void* output, std::uint32_t outputSize) override {
        const auto* bytes = static_cast<const std::uint8_t*>(input);
        requests.push_back({code, {bytes, bytes + inputSize}, outputSize});
        if (device != this) return false;
        using namespace battery_ioctl;
        if (code == kQueryTag) {
            if (failTag) return false;
            std::memcpy(output, &tag, sizeof tag);
            return true;
        }
        std::uint32_t askedTag = 0;
        std::memcpy(&askedTag, input, sizeof askedTag);
        if (askedTag != tag) return false;
        if (code == kQueryStatus) {
            if (failStatus) return false;
            Status status{powerState, 0, 0, 0};
            std::memcpy(output, &status, sizeof status);
            return true;
        }
        if (code == kQueryInformation) {
            QueryInformation query;
            std::memcpy(&query, input, sizeof query);
            auto text = texts.find(query.informationLevel);
            if (text != texts.end()) {
                std::memset(output, 0, outputSize);
                std::memcpy(output, text->second.data(),
                            std::min<std::size_t>(text->second.size() * 2, outputSize));
                return true;
            }
            if (query.informationLevel == kBatteryInformation && !failInformation) {
                std::memcpy(output, &information, sizeof information);
                return true;
            }
        }
        return false;
    }

    bool present = true;
    bool failTag = false;
    bool failStatus = false;
    bool failInformation = false;
    std::uint32_t tag = 0x51;
    std::uint32_t powerState = battery_ioctl::kDischarging;
    // Answers of the three text levels; a level without an entry fails.
    std::map<std::int32_t, std::u16string> texts{{battery_ioctl::kDeviceName, u"Bat 1"},
                                                 {battery_ioctl::kUniqueId, u"ID42"},
                                                 {battery_ioctl::kManufactureName, u"Varn"}};
    battery_ioctl::Information information{0, 1, {}, {'L', 'I', 'O', 'N'}, 100, 90, 0, 0, 0, 0};

    int opened = 0;
    int closed = 0;
    std::vector<Request> requests;
};

// The compiled resources of the product, as the resource compiler wrote them.
const ResFile& ProductResources();

// The English string table of the product's resources.
const StringTable& EnglishStrings();
