// The driver against a probe program that does one known thing per mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

using testing::Contains;
using testing::ElementsAre;

constexpr int kTabId = 100;
constexpr int kCheckId = 101;
constexpr int kButtonId = 102;
constexpr std::uint32_t kProbeBackground = 0x2060A0;
constexpr Milliseconds kShortWait{300};

// gMock's string matchers know only narrow and wide strings.
auto EndsWithText(std::u16string_view end) {
    return testing::Truly([end](const std::u16string& text) { return text.ends_with(end); });
}

LaunchOptions Probe(std::vector<std::u16string> arguments) {
    return {ProgramBeside(L"e2e_probe.exe"), std::move(arguments)};
}

TEST(DebuggeeTest, ArgumentsArriveIntactAndLinesInOrderWithoutLineEnds) {
    const std::vector<std::u16string> printed = {
        u"one",
        u"two words",
        u"ends in a line end\n",
        u"crlf too\r\n",
        u"a \"quote\" inside",
        u"trailing backslash\\",
        u"backslashes \\\\\" before a quote",
        u"",
    };
    std::vector<std::u16string> arguments = {u"print"};
    arguments.insert(arguments.end(), printed.begin(), printed.end());
    Debuggee probe(Probe(arguments));
    ASSERT_TRUE(probe.Started());

    EXPECT_EQ(probe.WaitForExit(), printed.size());
    EXPECT_THAT(
        probe.Lines().All(),
        ElementsAre(u"one", u"two words", u"ends in a line end", u"crlf too", u"a \"quote\" inside",
                    u"trailing backslash\\", u"backslashes \\\\\" before a quote", u""));
    EXPECT_EQ(probe.UnhandledException(), std::nullopt);
}

TEST(DebuggeeTest, WaitsForALineFromAMarkOn) {
    Debuggee probe(Probe({u"sleep", u"200"}));
    const auto before = probe.Lines().WaitFor(u"before");
    ASSERT_EQ(before, 0u);
    EXPECT_EQ(probe.Lines().WaitFor(u"after", kPatience, *before + 1), 1u);
    EXPECT_EQ(probe.Lines().WaitFor(u"before", kShortWait, *before + 1), std::nullopt);
    EXPECT_EQ(probe.Lines().Since(1), std::vector<std::u16string>{u"after"});
    EXPECT_EQ(probe.WaitForExit(), 7u);
}

TEST(DebuggeeTest, NoProgramOutlivesItsDebuggee) {
    HANDLE process = nullptr;
    {
        Debuggee probe(Probe({u"sleep", u"60000"}));
        ASSERT_TRUE(probe.Lines().WaitFor(u"before"));
        process = OpenProcess(SYNCHRONIZE, FALSE, probe.ProcessId());
        ASSERT_NE(process, nullptr);
    }
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    CloseHandle(process);
}

TEST(DebuggeeTest, TerminateGivesTheExitCode) {
    Debuggee probe(Probe({u"sleep", u"60000"}));
    ASSERT_TRUE(probe.Lines().WaitFor(u"before"));
    probe.Terminate(42);
    EXPECT_EQ(probe.WaitForExit(Milliseconds{0}), 42u);
}

TEST(DebuggeeTest, DetachedProgramRunsOnToItsOwnEnd) {
    Debuggee probe(Probe({u"sleep", u"500"}));
    ASSERT_TRUE(probe.Lines().WaitFor(u"before"));
    ASSERT_TRUE(probe.Detach());
    EXPECT_EQ(probe.WaitForExit(), 7u);
    EXPECT_THAT(probe.Lines().All(), ElementsAre(u"before"));
}

TEST(DebuggeeTest, ReportsAnExceptionNobodyHandled) {
    Debuggee probe(Probe({u"crash"}));
    EXPECT_TRUE(probe.WaitForExit().has_value());
    EXPECT_EQ(probe.UnhandledException(), 0xE0000001u);
    EXPECT_THAT(probe.Lines().All(), ElementsAre(u"crashing"));
}

TEST(RunProgramTest, KeepsOutputAndExitCode) {
    const ProgramResult result =
        RunProgram({ProgramBeside(L"kestrumctl.exe"), {u"no-such-command"}});
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_TRUE(result.output.starts_with(u"usage: kestrumctl snapshot\n"));
}

class ProbeWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.Lines().WaitFor(u"ready"));
        window = WaitForTopLevel(Search(u"Kestrum probe"));
        ASSERT_NE(window, nullptr);
    }

    WindowSearch Search(const char16_t* title) const {
        return {u"KestrumE2EProbe", title, probe.ProcessId()};
    }

    Debuggee probe{Probe({u"window"})};
    HWND window = nullptr;
};

TEST_F(ProbeWindowTest, FindsTopLevelWindowsHiddenOrNot) {
    EXPECT_TRUE(IsShown(window));
    const std::vector<HWND> hidden = TopLevelWindows(Search(u"Hidden probe"));
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_FALSE(IsShown(hidden[0]));
    EXPECT_EQ(TopLevelWindows({u"KestrumE2EProbe", std::nullopt, probe.ProcessId()}).size(), 2u);
    EXPECT_TRUE(TopLevelWindows({u"KestrumE2EProbe", std::nullopt, GetCurrentProcessId()}).empty());
    EXPECT_EQ(WindowStyle(window) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
}

TEST_F(ProbeWindowTest, ReadsControlsOfAnotherProcess) {
    HWND check = DescendantById(window, kCheckId);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(WindowClass(check), u"Button");
    EXPECT_EQ(WindowText(check), u"Check");
    EXPECT_EQ(WindowStyle(check) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(CheckState(check), BST_CHECKED);

    HWND tab = DescendantById(window, kTabId);
    ASSERT_NE(tab, nullptr);
    EXPECT_THAT(TabItemTexts(tab), ElementsAre(u"First", u"Second"));
    EXPECT_EQ(TabSelection(tab), 1);
    EXPECT_EQ(Children(window).size(), 3u);
}

TEST_F(ProbeWindowTest, ClicksReachTheButtons) {
    HWND check = DescendantById(window, kCheckId);
    ASSERT_TRUE(Click(check));
    EXPECT_EQ(CheckState(check), BST_UNCHECKED);
    const std::size_t mark = probe.Lines().Count();
    ASSERT_TRUE(Click(DescendantById(window, kButtonId)));
    EXPECT_TRUE(probe.Lines().WaitFor(u"pressed", kPatience, mark));
}

TEST_F(ProbeWindowTest, InjectedKeysReachHooksAndTheFocusedWindow) {
    const std::size_t mark = probe.Lines().Count();
    ASSERT_TRUE(SendScanCode(7, true, KeyDirection::Down));
    ASSERT_TRUE(SendScanCode(7, true, KeyDirection::Up));
    ASSERT_TRUE(TypeKeys({'A'}));
    ASSERT_TRUE(probe.Lines().WaitFor(u"keydown 0x41", kPatience, mark));
    const std::vector<std::u16string> lines = probe.Lines().Since(mark);
    // Extended, injected, and then released as well.
    EXPECT_THAT(lines, Contains(EndsWithText(u" 0x7 0x11")));
    EXPECT_THAT(lines, Contains(EndsWithText(u" 0x7 0x91")));
    EXPECT_THAT(lines, Contains(u"hook 0x41 0x1e 0x10"));
}

TEST_F(ProbeWindowTest, ScreenshotShowsTheWindowWithItsFrame) {
    const RECT frame = WindowRectangle(window);
    const RECT client = ClientRectangle(window);
    const Picture picture = CaptureWindow(window);
    ASSERT_EQ(picture.width, frame.right - frame.left);
    ASSERT_EQ(picture.height, frame.bottom - frame.top);
    // Below the controls the client area shows the window's own background.
    EXPECT_EQ(picture.At(client.right - frame.left - 10, client.bottom - frame.top - 10),
              kProbeBackground);
    // The caption lies above the client area, drawn by Wine on the private desktop.
    EXPECT_GT(client.top - frame.top, 10);

    const std::filesystem::path path = SaveScreenshot(picture, L"driver_probe_window");
    ASSERT_FALSE(path.empty());
    const std::uintmax_t rowBytes = (static_cast<std::uintmax_t>(picture.width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(std::filesystem::file_size(path),
              sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rowBytes * picture.height);
}

TEST(FakePowerSupplyTest, WineReportsWhatTheTestWrote) {
    ASSERT_TRUE(FakePowerSupplyPresent());
    const struct {
        const char* name;
        bool (*set)();
        BYTE mains, flag, percent;
        DWORD seconds;
    } cases[] = {
        {"no battery", [] { return SetNoBattery(); }, 1, 128, 255, 0xFFFFFFFF},
        {"mains, charging", [] { return SetOnMains(80); }, 1, 1 | 8, 80, 0xFFFFFFFF},
        {"mains, not charging", [] { return SetOnMains(50, false); }, 1, 0, 50, 0xFFFFFFFF},
        {"battery, 2 h 5 min", [] { return SetOnBattery(7530, 75); }, 0, 1, 75, 7530},
        {"battery, low", [] { return SetOnBattery(600, 20); }, 0, 2, 20, 600},
        {"battery removed again", [] { return SetNoBattery(); }, 1, 128, 255, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.set()) << c.name;
        SYSTEM_POWER_STATUS status = {};
        ASSERT_TRUE(GetSystemPowerStatus(&status)) << c.name;
        EXPECT_EQ(status.ACLineStatus, c.mains) << c.name;
        EXPECT_EQ(status.BatteryFlag, c.flag) << c.name;
        EXPECT_EQ(status.BatteryLifePercent, c.percent) << c.name;
        EXPECT_EQ(status.BatteryLifeTime, c.seconds) << c.name;
    }
}

}  // namespace
}  // namespace e2e
