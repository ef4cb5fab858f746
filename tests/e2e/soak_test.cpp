// Kestrum.exe kept busy from outside: many sheets in a row, a flood of key events, a storm
// of close requests. Each ends as one quiet run would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

constexpr ControllerCommand kChargingOn{0x59, 0xD8};

class SoakTest : public testing::Test {
protected:
    void Start() {
        kestrum = std::make_unique<Debuggee>(KestrumProgram());
        ASSERT_TRUE(kestrum->Started());
        frame = WaitForRunningFrame(*kestrum);
        ASSERT_NE(frame, nullptr);
    }

    // One clean shutdown: one frame destruction, and charging switched on once, last.
    void ExpectOneCleanExit() {
        EXPECT_EQ(kestrum->WaitForExit(), 0u);
        EXPECT_EQ(kestrum->UnhandledException(), std::nullopt);
        EXPECT_EQ(CountLines(*kestrum, u"MainFrm Destroy"), 1u);
        EXPECT_EQ(CountLines(*kestrum, u"SetBtDischargeDisable"), 1u);
        const std::vector<ControllerCommand> commands = JournalCommands();
        EXPECT_THAT(commands, testing::ElementsAre(kChargingOn));
    }

    std::unique_ptr<Debuggee> kestrum;
    HWND frame = nullptr;
};

TEST_F(SoakTest, TwoHundredSheetsLeaveHandlesAndPrivateMemoryWhereTheyWere) {
    constexpr int kCycles = 200;
    // The first sheets load comctl32's pages, fonts and pictures once for the process.
    constexpr int kWarmUp = 20;
    constexpr DWORD kHandleMargin = 8;
    constexpr std::uint64_t kMemoryMargin = std::uint64_t{1024} * 1024;
    ASSERT_TRUE(SetOnBattery(7530, 50));
    Start();

    std::optional<ProcessCounters> warm;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE(cycle);
        ASSERT_TRUE(PressBatteryKey());
        HWND sheet = WaitForShownSheet(kestrum->ProcessId());
        ASSERT_NE(sheet, nullptr);
        // Both ways out: the button ends the sheet through its page, Escape through the
        // dialog manager's cancel.
        if (cycle % 2 == 0) {
            ASSERT_TRUE(Click(DescendantById(sheet, IDOK)));
        } else {
            ASSERT_TRUE(TypeKeys({VK_ESCAPE}));
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
        // The modal run has returned once the frame answers again.
        ASSERT_TRUE(SendTo(frame, WM_NULL));
        if (cycle + 1 == kWarmUp) warm = ReadProcessCounters(kestrum->ProcessId());
    }
    const std::optional<ProcessCounters> last = ReadProcessCounters(kestrum->ProcessId());
    ASSERT_TRUE(warm.has_value());
    ASSERT_TRUE(last.has_value());
    RecordProperty("handles_after_warm_up", static_cast<int>(warm->handles));
    RecordProperty("handles_at_end", static_cast<int>(last->handles));
    RecordProperty("private_kib_after_warm_up", static_cast<int>(warm->privateBytes / 1024));
    RecordProperty("private_kib_at_end", static_cast<int>(last->privateBytes / 1024));
    // Zeros would be a reading that says nothing, not a process that holds nothing.
    ASSERT_GT(warm->handles, 0u);
    ASSERT_GT(warm->privateBytes, 0u);
    EXPECT_LE(last->handles, warm->handles + kHandleMargin);
    EXPECT_LE(last->privateBytes, warm->privateBytes + kMemoryMargin);
    EXPECT_EQ(CountLines(*kestrum, kSheetOpenedLine), static_cast<std::size_t>(kCycles));

    ASSERT_TRUE(SignalCloseEvent());
    ExpectOneCleanExit();
}

// Keys nobody acts on: F13 to F24 have no binding, and the battery key's scan code without
// the extended prefix is the main keyboard's 6 key, which must not count as the battery key.
std::vector<INPUT> KeyFlood(int events) {
    std::vector<INPUT> flood;
    for (int n = 0; static_cast<int>(flood.size()) < events; ++n) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        if (n % 5 == 4) {
            input.ki.wScan = 7;
            input.ki.dwFlags = KEYEVENTF_SCANCODE;
        } else {
            input.ki.wVk = static_cast<WORD>(VK_F13 + n % 12);
        }
        flood.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        flood.push_back(input);
    }
    return flood;
}

std::vector<INPUT> BatteryKey() {
    std::vector<INPUT> press(2, INPUT{});
    for (INPUT& input : press) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = 7;
        input.ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY;
    }
    press[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return press;
}

TEST_F(SoakTest, ABurstOfKeysWithTheBatteryKeyInItOpensExactlyOneSheet) {
    constexpr int kFloodEvents = 1500;
    Start();
    std::vector<INPUT> burst = KeyFlood(kFloodEvents);
    // Pressed again while the first press's sheet is being built: those must be swallowed.
    for (int press = 0; press < 3; ++press) {
        const std::vector<INPUT> battery = BatteryKey();
        burst.insert(burst.end(), battery.begin(), battery.end());
    }
    const std::vector<INPUT> tail = KeyFlood(kFloodEvents);
    burst.insert(burst.end(), tail.begin(), tail.end());
    ASSERT_EQ(SendInput(static_cast<UINT>(burst.size()), burst.data(), sizeof(INPUT)),
              burst.size());

    ASSERT_NE(WaitForShownSheet(kestrum->ProcessId()), nullptr);
    // WM_CLOSE is posted behind every hot-key message of the burst, so by the time the frame
    // is gone all of them have been looked at.
    ASSERT_TRUE(SignalCloseEvent());
    ExpectOneCleanExit();
    EXPECT_EQ(CountLines(*kestrum, kSheetOpenedLine), 1u);
}

struct CloseStormCase {
    const char* name;
    bool sheetOpen;
};

class CloseStormTest : public SoakTest, public testing::WithParamInterface<CloseStormCase> {};

TEST_P(CloseStormTest, TheCloseEventSetManyTimesShutsDownOnce) {
    constexpr int kRequests = 100;
    Start();
    if (GetParam().sheetOpen) {
        ASSERT_TRUE(PressBatteryKey());
        ASSERT_NE(WaitForShownSheet(kestrum->ProcessId()), nullptr);
    }
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, kKestrumCloseEvent);
    ASSERT_NE(event, nullptr);
    // Set and set again while the watcher is still posting the first close: it wakes once or
    // a few times, never once a request.
    for (int n = 0; n < kRequests; ++n) EXPECT_TRUE(SetEvent(event)) << n;
    CloseHandle(event);
    ExpectOneCleanExit();
}

INSTANTIATE_TEST_SUITE_P(States, CloseStormTest,
                         testing::Values(CloseStormCase{"Idle", false},
                                         CloseStormCase{"SheetOpen", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
