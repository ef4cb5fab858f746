#include "simulated/battery_driver/battery_answer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "battery/battery_ioctl.h"
#include "simulated/battery_driver/battery_presets.h"

namespace {

using namespace simulated_battery;
using namespace battery_ioctl;

template <typename Record>
std::vector<std::uint8_t> Bytes(const Record& record) {
    std::vector<std::uint8_t> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

Answer Ask(const Battery& battery, std::uint32_t code, const std::vector<std::uint8_t>& input,
           std::uint32_t outputSize, bool waitOver = false) {
    Answer answer{};
    AnswerRequest(
        battery,
        {code, input.data(), static_cast<std::uint32_t>(input.size()), outputSize, waitOver},
        answer);
    return answer;
}

TEST(BatteryAnswerTest, StatusOfEachRequest) {
    Battery present = DefaultBattery();
    Battery empty = present;
    Pull(empty);
    Battery failing = present;
    failing.failures = kFailTag | kFailStatus | kFailInformation;
    const std::uint32_t tag = present.tag;
    const struct {
        const char* name;
        const Battery& battery;
        std::uint32_t code;
        std::vector<std::uint8_t> input;
        std::uint32_t outputSize;
        bool waitOver;
        std::uint32_t status;
        std::uint32_t size;  // of the answer, or the wait in milliseconds when pending
    } cases[] = {
        {"tag at once", present, kQueryTag, Bytes(std::uint32_t{200}), 4, false, kStatusSuccess, 4},
        {"no battery, no wait", empty, kQueryTag, Bytes(std::uint32_t{0}), 4, false,
         kStatusNoSuchDevice, 0},
        {"no battery, waits", empty, kQueryTag, Bytes(std::uint32_t{200}), 4, false, kStatusPending,
         200},
        {"no battery, forever", empty, kQueryTag, Bytes(kWaitForever), 4, false, kStatusPending,
         kWaitForever},
        {"no battery, wait over", empty, kQueryTag, Bytes(std::uint32_t{200}), 4, true,
         kStatusNoSuchDevice, 0},
        {"tag, short input", present, kQueryTag, {1, 0}, 4, false, kStatusInvalidBufferSize, 0},
        {"tag, short output", present, kQueryTag, Bytes(std::uint32_t{0}), 3, false,
         kStatusBufferTooSmall, 0},
        {"tag, failing", failing, kQueryTag, Bytes(std::uint32_t{0}), 4, false,
         kStatusIoDeviceError, 0},
        {"status at once", present, kQueryStatus, Bytes(WaitStatus{tag, 0, 0, 0, 0}), 16, false,
         kStatusSuccess, 16},
        {"status, stale tag", present, kQueryStatus, Bytes(WaitStatus{tag + 1, 0, 0, 0, 0}), 16,
         false, kStatusNoSuchDevice, 0},
        {"status, waits for a change", present, kQueryStatus,
         Bytes(WaitStatus{tag, 500, kDischarging, 0, 0xFFFFFFFF}), 16, false, kStatusPending, 500},
        {"status, changed already", present, kQueryStatus,
         Bytes(WaitStatus{tag, 500, kCharging, 0, 0xFFFFFFFF}), 16, false, kStatusSuccess, 16},
        {"status, wait over", present, kQueryStatus,
         Bytes(WaitStatus{tag, 500, kDischarging, 0, 0xFFFFFFFF}), 16, true, kStatusSuccess, 16},
        {"status, failing", failing, kQueryStatus, Bytes(WaitStatus{tag, 0, 0, 0, 0}), 16, false,
         kStatusIoDeviceError, 0},
        {"information record", present, kQueryInformation,
         Bytes(QueryInformation{tag, kBatteryInformation, 0}), 36, false, kStatusSuccess, 36},
        {"information, short output", present, kQueryInformation,
         Bytes(QueryInformation{tag, kBatteryInformation, 0}), 35, false, kStatusBufferTooSmall, 0},
        {"name", present, kQueryInformation, Bytes(QueryInformation{tag, kDeviceName, 0}), 510,
         false, kStatusSuccess, 50},
        {"name, stale tag", present, kQueryInformation,
         Bytes(QueryInformation{tag + 2, kDeviceName, 0}), 510, false, kStatusNoSuchDevice, 0},
        {"manufacture date", present, kQueryInformation,
         Bytes(QueryInformation{tag, kManufactureDate, 0}), 4, false, kStatusSuccess, 4},
        {"estimated time", present, kQueryInformation,
         Bytes(QueryInformation{tag, kEstimatedTime, 0}), 4, false, kStatusSuccess, 4},
        {"unknown level", present, kQueryInformation, Bytes(QueryInformation{tag, 9, 0}), 510,
         false, kStatusInvalidDeviceRequest, 0},
        {"information, failing", failing, kQueryInformation,
         Bytes(QueryInformation{tag, kDeviceName, 0}), 510, false, kStatusIoDeviceError, 0},
        {"unknown request", present, 0x294048, {}, 16, false, kStatusInvalidDeviceRequest, 0},
    };
    for (const auto& c : cases) {
        const Answer answer = Ask(c.battery, c.code, c.input, c.outputSize, c.waitOver);
        EXPECT_EQ(answer.status, c.status) << c.name;
        EXPECT_EQ(answer.status == kStatusPending ? answer.waitMilliseconds : answer.size, c.size)
            << c.name;
    }
}

TEST(BatteryAnswerTest, RecordsCarryTheState) {
    const Battery battery = DefaultBattery();
    Answer answer = Ask(battery, kQueryStatus, Bytes(WaitStatus{battery.tag, 0, 0, 0, 0}), 16);
    Status status;
    std::memcpy(&status, answer.bytes, sizeof status);
    EXPECT_EQ(status.powerState, kDischarging);
    EXPECT_EQ(status.capacity, 36000u);
    EXPECT_EQ(status.rate, -17280);

    answer = Ask(battery, kQueryInformation,
                 Bytes(QueryInformation{battery.tag, kBatteryInformation, 0}), 36);
    Information information;
    std::memcpy(&information, answer.bytes, sizeof information);
    EXPECT_EQ(std::memcmp(information.chemistry, "LION", 4), 0);
    EXPECT_EQ(information.designedCapacity, 50000u);
    EXPECT_EQ(information.fullChargedCapacity, 48000u);

    // 36000 mWh at 17280 mW: 2 hr 05 min.
    answer =
        Ask(battery, kQueryInformation, Bytes(QueryInformation{battery.tag, kEstimatedTime, 0}), 4);
    std::uint32_t seconds = 0;
    std::memcpy(&seconds, answer.bytes, sizeof seconds);
    EXPECT_EQ(seconds, 7500u);
}

TEST(BatteryAnswerTest, FullWidthTextHasNoTerminatorAndNeedsTheWholeBuffer) {
    Battery battery = DefaultBattery();
    FillText(battery.uniqueId, 510);
    const auto query = Bytes(QueryInformation{battery.tag, kUniqueId, 0});
    Answer answer = Ask(battery, kQueryInformation, query, 510);
    ASSERT_EQ(answer.size, 510u);
    EXPECT_NE(answer.bytes[508] | answer.bytes[509], 0);
    EXPECT_EQ(Ask(battery, kQueryInformation, query, 508).status, kStatusBufferTooSmall);
}

}  // namespace
