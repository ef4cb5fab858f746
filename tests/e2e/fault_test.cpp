// Kestrum.exe with its readings going wrong under it: a controller that fails every call or
// answers 0xFF to every read, and a battery that goes away and comes back while the sheet
// is open. The refresh goes on and the pages say what the readings allow.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

using testing::Contains;

constexpr SimulatorCall kChargingOnCall{0x59, 0xD8, 0, 0};
constexpr char16_t kOperatingNormally[] = u"Your battery is operating normally.";
constexpr char16_t kNotIdentified[] =
    u"Unable to identify the battery. The batteries in your system cannot be charged. Please "
    u"insert a Varn battery for best system operation.";
constexpr UINT kPowerStatusChange = 10;  // PBT_APMPOWERSTATUSCHANGE

class FaultTest : public SheetFixture {
protected:
    void OpenSheet() {
        kestrum = std::make_unique<Debuggee>(KestrumProgram());
        ASSERT_TRUE(kestrum->Started());
        frame = WaitForRunningFrame(*kestrum);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(PressBatteryKey());
        sheet = WaitForShownSheet(kestrum->ProcessId());
        ASSERT_NE(sheet, nullptr);
    }

    // The close still sends charging on last, whether the controller takes it or not.
    void CloseAndExpectCleanExit() {
        ASSERT_TRUE(SignalCloseEvent());
        EXPECT_EQ(kestrum->WaitForExit(), 0u);
        EXPECT_EQ(kestrum->UnhandledException(), std::nullopt);
        EXPECT_EQ(CountLines(*kestrum, u"MainFrm Destroy"), 1u);
        const std::vector<SimulatorCall> calls = JournalCalls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().command, kChargingOnCall.command);
        EXPECT_EQ(calls.back().input, kChargingOnCall.input);
    }

    std::unique_ptr<Debuggee> kestrum;
    HWND frame = nullptr;
};

struct ControllerFaultCase {
    const char* name;
    const char16_t* mode;  // as the developer tool names it
    bool onBattery;
    // The verdict and the charge switch as the faulty answers make them, whatever the name
    // space holds: the name space is set to the opposite of what the answers give.
    std::u16string health;
    bool chargeOff;
    const char16_t* chargeOffLine;
};

void PrintTo(const ControllerFaultCase& c, std::ostream* out) { *out << c.name; }

class ControllerFaultTest : public FaultTest,
                            public testing::WithParamInterface<ControllerFaultCase> {};

TEST_P(ControllerFaultTest, TheSheetShowsWhatTheAnswersGive) {
    const ControllerFaultCase& c = GetParam();
    ASSERT_TRUE(c.onBattery ? SetOnBattery(7530, 50) : SetOnMains(80));
    // Charging off, not identified, worn out: what a normal controller would report.
    SetControllerByte(0xF2, 0x14);
    SetControllerByte(0xF3, 0x20);
    SetControllerByte(0xEF, 0x09);
    ASSERT_EQ(RunKestrumctl({u"ec", u"mode", c.mode}).exitCode, 0u);
    EXPECT_EQ(RunKestrumctl({u"ec", u"mode"}).output, std::u16string(c.mode) + u"\n");
    OpenSheet();

    for (int value : kBatteryValueIds) EXPECT_TRUE(Shown(value)) << value;
    EXPECT_EQ(Text(IDC_PERCENT_TEXT), c.onBattery ? u"50%" : u"80%");
    EXPECT_EQ(Text(IDC_HEALTH_TEXT), c.health);
    EXPECT_EQ(Shown(IDC_TIME_TEXT), c.onBattery);
    if (c.onBattery) {
        EXPECT_EQ(Text(IDC_TIME_TEXT), u"2 hr 05 min");
    }
    // Kinds 1 and 2 share a picture size; the check box below tells them apart.
    const SIZE picture = WindowSize(Control(IDC_STATUS_PICTURE));
    EXPECT_EQ(picture.cx, c.onBattery ? 40 : 60);
    EXPECT_EQ(picture.cy, c.onBattery ? 78 : 59);
    if (!c.onBattery) {
        EXPECT_THAT(kestrum->Lines().All(), Contains(c.chargeOffLine));
    }

    ShowPage(1);
    HWND check = Control(IDC_DISABLE_CHARGING);
    EXPECT_EQ(CheckState(check), c.chargeOff ? BST_CHECKED : BST_UNCHECKED);
    // A click sends its command even to a controller that refuses it, and the page goes on.
    const std::size_t calls = JournalCalls().size();
    ASSERT_TRUE(Click(check));
    ASSERT_TRUE(WaitUntil([&] { return JournalCalls().size() == calls + 1; }));
    const SimulatorCall sent = JournalCalls().back();
    EXPECT_EQ(sent.command, 0x59);
    EXPECT_EQ(sent.input, c.chargeOff ? 0xD8 : 0xD7);
    CloseAndExpectCleanExit();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ControllerFaultTest,
    testing::Values(
        // Nothing is written into the read buffers, which start at 0: identified, not worn,
        // charging on; the verdict is then the battery's capacity ratio.
        ControllerFaultCase{"FailEveryCallOnMains", u"fail", false, kOperatingNormally, false,
                            u"NameSpaceF2 =0"},
        ControllerFaultCase{"FailEveryCallOnBattery", u"fail", true, kOperatingNormally, false,
                            nullptr},
        // 0xFF has bit 5 of 0xF3 set (not identified) and bit 4 of 0xF2 (charging off).
        ControllerFaultCase{"AnswerFFOnMains", u"ff", false, kNotIdentified, true,
                            u"NameSpaceF2 =1"},
        ControllerFaultCase{"AnswerFFOnBattery", u"ff", true, kNotIdentified, true, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultTest, TheBatteryGoingAndComingBackBetweenRefreshesHidesAndShowsItsFields) {
    ASSERT_TRUE(SetOnBattery(7530, 50));
    OpenSheet();
    const auto refreshWith = [&](bool (*power)()) {
        ASSERT_TRUE(power());
        const std::size_t mark = kestrum->Lines().Count();
        // A sent message: the refresh is done when the answer comes back.
        ASSERT_EQ(SendTo(sheet, WM_POWERBROADCAST, kPowerStatusChange, 0), 0);
        ASSERT_TRUE(kestrum->Lines().WaitFor(u"PowerChange", Milliseconds{0}, mark));
    };
    const struct {
        const char* name;
        bool (*power)();
        bool batteryShown;
        const char16_t* state;
        const char16_t* percent;  // also while hidden: the texts stay as they were
        const char16_t* time;     // null: hidden
        SIZE picture;
    } steps[] = {
        {"kind 4 at the start", nullptr, true, u"Discharging", u"50%", u"2 hr 05 min", {40, 78}},
        {"kind 3", [] { return SetNoBattery(); }, false, u"No Battery", u"50%", nullptr, {60, 29}},
        {"kind 4 again",
         [] { return SetOnBattery(3720, 30); },
         true,
         u"Discharging",
         u"30%",
         u"1 hr 02 min",
         {40, 78}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.power != nullptr) refreshWith(step.power);
        for (int value : kBatteryValueIds) EXPECT_EQ(Shown(value), step.batteryShown) << value;
        EXPECT_EQ(Text(IDC_STATE_TEXT), step.state);
        EXPECT_EQ(Text(IDC_PERCENT_TEXT), step.percent);
        EXPECT_EQ(Shown(IDC_TIME_TEXT), step.time != nullptr);
        EXPECT_EQ(Shown(IDC_LABEL_TIME), step.time != nullptr);
        if (step.time != nullptr) {
            EXPECT_EQ(Text(IDC_TIME_TEXT), step.time);
        }
        const SIZE picture = WindowSize(Control(IDC_STATUS_PICTURE));
        EXPECT_EQ(picture.cx, step.picture.cx);
        EXPECT_EQ(picture.cy, step.picture.cy);
    }
    CloseAndExpectCleanExit();
}

}  // namespace
}  // namespace e2e
