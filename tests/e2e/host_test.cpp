// Kestrum.exe from outside: the hidden frame, the single-instance rule, the battery hot-key,
// the close request and the end of the session.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "app/hotkey_filter.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

using testing::Contains;
using testing::Not;

constexpr DWORD kFrameStyle = 0x00C08000;  // WS_CAPTION | FWS_ADDTOTITLE
constexpr ControllerCommand kChargingOn{0x59, 0xD8};

// A running Kestrum whose frame exists and whose message loop runs.
class KestrumTest : public testing::Test {
protected:
    void SetUp() override { ResetSharedSimulator(); }

    void Start() {
        kestrum = std::make_unique<Debuggee>(KestrumProgram());
        ASSERT_TRUE(kestrum->Started());
        frame = WaitForRunningFrame(*kestrum);
        ASSERT_NE(frame, nullptr);
    }

    HWND WaitForSheet() { return WaitForShownSheet(kestrum->ProcessId()); }

    // Ends Kestrum through its close event and checks the clean-up it must always make.
    void CloseAndExpectCleanUp() {
        ASSERT_TRUE(SignalCloseEvent());
        ExpectCleanExit();
    }

    void ExpectCleanExit() {
        EXPECT_EQ(kestrum->WaitForExit(), 0u);
        EXPECT_EQ(kestrum->UnhandledException(), std::nullopt);
        const auto destroy = kestrum->Lines().WaitFor(u"MainFrm Destroy", Milliseconds{0});
        ASSERT_TRUE(destroy.has_value());
        EXPECT_TRUE(
            kestrum->Lines().WaitFor(u"SetBtDischargeDisable", Milliseconds{0}, *destroy + 1));
        const std::vector<ControllerCommand> commands = JournalCommands();
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands.back(), kChargingOn);
    }

    std::unique_ptr<Debuggee> kestrum;
    HWND frame = nullptr;
};

TEST_F(KestrumTest, FrameIsHiddenWithItsExactClassTitleAndStyle) {
    Start();
    EXPECT_EQ(WindowClass(frame), kKestrumFrameClass);
    EXPECT_EQ(WindowText(frame), kKestrumFrameTitle);
    // The platform adds WS_CLIPSIBLINGS to every top-level window by itself.
    EXPECT_EQ(WindowStyle(frame) & ~WS_CLIPSIBLINGS, kFrameStyle);
    EXPECT_EQ(WindowExStyle(frame) & WS_EX_CLIENTEDGE, 0u);
    EXPECT_FALSE(IsShown(frame));

    ASSERT_TRUE(PressBatteryKey());
    HWND sheet = WaitForSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(IsShown(frame));
    EXPECT_EQ(GetWindow(sheet, GW_OWNER), frame);
    CloseAndExpectCleanUp();
}

TEST_F(KestrumTest, SecondStartEndsAtOnceAndTheFirstRunsOn) {
    Start();
    Debuggee second(KestrumProgram());
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(second.Lines().All().empty());
    EXPECT_EQ(TopLevelWindows({kKestrumFrameClass, kKestrumFrameTitle, 0}),
              std::vector<HWND>{frame});

    ASSERT_TRUE(PressBatteryKey());
    EXPECT_NE(WaitForSheet(), nullptr);
    CloseAndExpectCleanUp();
}

struct ForeignWindowCase {
    const char* name;
    const wchar_t* className;
    bool blocksStart;
};

class ForeignWindowTest : public KestrumTest,
                          public testing::WithParamInterface<ForeignWindowCase> {};

TEST_P(ForeignWindowTest, OnlyTheFramesClassAndTitleTogetherBlockStartUp) {
    const ForeignWindow foreign(GetParam().className, L"Kestrum");
    ASSERT_NE(foreign.Handle(), nullptr);
    if (GetParam().blocksStart) {
        Debuggee blocked(KestrumProgram());
        EXPECT_EQ(blocked.WaitForExit(), 0u);
        EXPECT_TRUE(TopLevelWindows({std::nullopt, std::nullopt, blocked.ProcessId()}).empty());
        HANDLE closeEvent = OpenEventW(SYNCHRONIZE, FALSE, kKestrumCloseEvent);
        EXPECT_EQ(closeEvent, nullptr);
        if (closeEvent != nullptr) CloseHandle(closeEvent);
    } else {
        Start();
        CloseAndExpectCleanUp();
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, ForeignWindowTest,
                         testing::Values(ForeignWindowCase{"FrameClass", L"Afx:00400000:0", true},
                                         ForeignWindowCase{"OtherClass", L"Afx:00400000:8", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// What must open nothing: by the time the posted WM_CLOSE is handled, every earlier message
// has been, since the hook posts in the order of the events.
struct NoSheetCase {
    const char* name;
    void (*act)(const Debuggee& kestrum);
};

class NoSheetTest : public KestrumTest, public testing::WithParamInterface<NoSheetCase> {};

TEST_P(NoSheetTest, OpensNothing) {
    Start();
    GetParam().act(*kestrum);
    ASSERT_TRUE(PostTo(frame, WM_CLOSE));
    ExpectCleanExit();
    EXPECT_THAT(kestrum->Lines().All(), Not(Contains(kSheetOpenedLine)));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, NoSheetTest,
    testing::Values(
        NoSheetCase{
            "PressAlone",
            [](const Debuggee&) { ASSERT_TRUE(SendScanCode(7, true, KeyDirection::Down)); }},
        NoSheetCase{"MainKeyboardScanCode7",
                    [](const Debuggee&) {
                        ASSERT_TRUE(SendScanCode(7, false, KeyDirection::Down));
                        ASSERT_TRUE(SendScanCode(7, false, KeyDirection::Up));
                    }},
        NoSheetCase{"FlagsEscape",
                    [](const Debuggee& k) {
                        ASSERT_TRUE(PostToThread(k.MainThreadId(), WM_APP_HOTKEY, 27, 7));
                    }},
        NoSheetCase{"FlagsF4ScanLowByte1",
                    [](const Debuggee& k) {
                        ASSERT_TRUE(PostToThread(k.MainThreadId(), WM_APP_HOTKEY, 115, 0x101));
                    }},
        NoSheetCase{"ReleaseOfAnotherScanCode",
                    [](const Debuggee& k) {
                        ASSERT_TRUE(PostToThread(k.MainThreadId(), WM_APP_HOTKEY, 0x81, 0x107));
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KestrumTest, ReleaseWhileTheSheetRunsBuildsNoSecondSheetAndCloseEndsBoth) {
    Start();
    ASSERT_TRUE(PressBatteryKey());
    ASSERT_NE(WaitForSheet(), nullptr);
    ASSERT_TRUE(PressBatteryKey());
    ASSERT_TRUE(PostToThread(kestrum->MainThreadId(), WM_APP_HOTKEY, 0x81, 7));
    CloseAndExpectCleanUp();
    EXPECT_EQ(CountLines(*kestrum, kSheetOpenedLine), 1u);
    // Subscribed as the sheet opened and unsubscribed as it went, before the frame did.
    EXPECT_EQ(CountLines(*kestrum, u"Load RegisterPowerSettingNotification Success"), 2u);
}

struct SheetEndCase {
    const char* name;
    void (*end)(HWND sheet);
};

class SheetEndTest : public KestrumTest, public testing::WithParamInterface<SheetEndCase> {};

TEST_P(SheetEndTest, EveryWayOfClosingTheSheetLetsTheNextPressBuildAFreshOne) {
    Start();
    ASSERT_TRUE(PressBatteryKey());
    HWND first = WaitForSheet();
    ASSERT_NE(first, nullptr);
    GetParam().end(first);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first); }));

    ASSERT_TRUE(PressBatteryKey());
    ASSERT_NE(WaitForSheet(), nullptr);
    CloseAndExpectCleanUp();
    EXPECT_EQ(CountLines(*kestrum, kSheetOpenedLine), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, SheetEndTest,
    testing::Values(
        SheetEndCase{"Ok", [](HWND sheet) { ASSERT_TRUE(Click(DescendantById(sheet, IDOK))); }},
        // The sheet's own filter sees dialog keys before the frame's, which would eat them.
        SheetEndCase{"Escape", [](HWND) { ASSERT_TRUE(TypeKeys({VK_ESCAPE})); }},
        SheetEndCase{"AltF4",
                     [](HWND) {
                         ASSERT_TRUE(TypeKeys({VK_MENU, VK_F4}));
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

// The sheets' icon is made once and kept: a later sheet gets the first one's icon, still alive.
// The platform's sheet sets it as the window's small icon, the one its caption shows.
TEST_F(KestrumTest, ALaterSheetHasTheFirstSheetsIconStillAlive) {
    Start();
    std::vector<WindowIcons> openings;
    for (int opening = 0; opening < 2; ++opening) {
        ASSERT_TRUE(PressBatteryKey());
        const HWND sheet = WaitForSheet();
        ASSERT_NE(sheet, nullptr);
        const std::optional<WindowIcons> icons = ReadWindowIcons(sheet);
        ASSERT_TRUE(icons.has_value());
        openings.push_back(*icons);
        ASSERT_TRUE(Click(DescendantById(sheet, IDOK)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    }
    const WindowIcons& first = openings[0];
    const WindowIcons& later = openings[1];
    EXPECT_NE(first.smallIcon.handle, nullptr);
    EXPECT_EQ(first.smallIcon.width, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(later.smallIcon.handle, first.smallIcon.handle);
    EXPECT_EQ(later.smallIcon.width, first.smallIcon.width);
    EXPECT_EQ(later.bigIcon.handle, first.bigIcon.handle);
    EXPECT_EQ(later.bigIcon.width, first.bigIcon.width);
    CloseAndExpectCleanUp();
}

TEST_F(KestrumTest, TheDeveloperToolClosesIt) {
    Start();
    const ProgramResult close = RunKestrumctl({u"close"});
    EXPECT_EQ(close.exitCode, 0u);
    ExpectCleanExit();
}

TEST_F(KestrumTest, ACloseRequestMadeBeforeStartClosesItRightAfterStart) {
    const std::unique_ptr<void, decltype(&CloseHandle)> event(
        CreateEventW(nullptr, FALSE, TRUE, kKestrumCloseEvent), &CloseHandle);
    ASSERT_NE(event, nullptr);
    kestrum = std::make_unique<Debuggee>(KestrumProgram());
    ASSERT_TRUE(kestrum->Started());
    ExpectCleanExit();
}

TEST_F(KestrumTest, EndOfSessionSwitchesNothingOn) {
    Start();
    ASSERT_EQ(SendTo(frame, WM_ENDSESSION, TRUE, 0), 0);
    EXPECT_THAT(JournalCommands(), Not(Contains(kChargingOn)));
    EXPECT_THAT(kestrum->Lines().All(), Not(Contains(u"MainFrm Destroy")));
    kestrum->Terminate();
}

// Re-installation puts the hook back on top: a hook installed above Kestrum's that swallows
// the battery key hides the key from it until then.
struct ReinstallCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class HookReinstallTest : public KestrumTest, public testing::WithParamInterface<ReinstallCase> {};

TEST_P(HookReinstallTest, PutsTheHookBackAboveALaterOne) {
    Start();
    // Past the start-up tick of the hook timer, which re-installs by itself; the blocked keys
    // never reach Kestrum's hook to arm it again.
    Sleep(2500);
    KeyBlocker blocker(7);
    ASSERT_TRUE(blocker.Installed());
    ASSERT_TRUE(PressBatteryKey());
    EXPECT_EQ(WaitForShownSheet(kestrum->ProcessId(), Milliseconds{1000}), nullptr);

    EXPECT_EQ(SendTo(frame, GetParam().message, GetParam().wParam, 0), 0);
    ASSERT_TRUE(PressBatteryKey());
    EXPECT_NE(WaitForSheet(), nullptr);
    CloseAndExpectCleanUp();
}

INSTANTIATE_TEST_SUITE_P(Triggers, HookReinstallTest,
                         testing::Values(ReinstallCase{"HookTimer", WM_TIMER, 1},
                                         ReinstallCase{"ResumeFromSuspend", WM_POWERBROADCAST,
                                                       PBT_APMRESUMESUSPEND}),
                         [](const auto& info) { return std::string(info.param.name); });

// The other power events are answered and leave the hot-key working.
class PowerEventTest : public KestrumTest, public testing::WithParamInterface<ReinstallCase> {};

TEST_P(PowerEventTest, IsAnsweredAndTheHotKeyStillOpensTheSheet) {
    Start();
    EXPECT_EQ(SendTo(frame, WM_POWERBROADCAST, GetParam().wParam, 0), 0);
    ASSERT_TRUE(PressBatteryKey());
    EXPECT_NE(WaitForSheet(), nullptr);
    CloseAndExpectCleanUp();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PowerEventTest,
    testing::Values(ReinstallCase{"SuspendQuery", WM_POWERBROADCAST, PBT_APMQUERYSUSPEND},
                    ReinstallCase{"StatusChange", WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
