// The meter sheet from outside: opened by the developer tool as the background program will
// open it, under each power situation Wine can be made to report.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

using testing::ElementsAre;

constexpr int kApplyButton = 0x3021;
constexpr int kHelpButton = 9;
constexpr UINT kPowerStatusChange = 10;
constexpr UINT kResumeSuspend = 7;
constexpr UINT kPowerSettingChange = 0x8013;
constexpr Milliseconds kQuiet{500};

// Pixels of the prohibition sign's red in the picture: only the charging-off picture has any.
int RedPixels(HWND picture) {
    const Picture shown = CaptureScreen(WindowRectangle(picture));
    int red = 0;
    for (std::uint32_t pixel : shown.pixels) {
        const std::uint32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        if (r > 180 && g < 90 && b < 90) ++red;
    }
    return red;
}

class MeterSheetTest : public SheetFixture {
protected:
    // Opens the sheet with the power situation and the charge switch already in place.
    void Open(bool (*power)(), std::uint8_t statusF2 = 0x00, std::uint8_t statusF3 = 0x00,
              std::uint8_t statusEF = 0x00) {
        ASSERT_TRUE(power());
        SetControllerByte(0xF2, statusF2);
        SetControllerByte(0xF3, statusF3);
        SetControllerByte(0xEF, statusEF);
        ClearJournal();
        program.emplace(LaunchOptions{ProgramBeside(L"opensheet.exe"), {}});
        ASSERT_TRUE(program->Started());
        sheet = WaitForTopLevel({u"#32770", u"Kestrum", program->ProcessId()});
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsShown(sheet) && SheetCurrentPage(sheet); }));
    }

    void CloseWithOk() {
        ASSERT_TRUE(Click(DescendantById(sheet, IDOK)));
        EXPECT_EQ(program->WaitForExit(), 0u);
    }

    std::optional<Debuggee> program;
};

TEST_F(MeterSheetTest, CaptionTabsButtonsAndTaskBarButton) {
    Open(+[] { return SetNoBattery(); });
    EXPECT_EQ(WindowText(sheet), u"Kestrum");
    EXPECT_THAT(TabItemTexts(SheetTabControl(sheet)),
                ElementsAre(u"Battery Status", u"Battery Life"));
    EXPECT_EQ(TabSelection(SheetTabControl(sheet)), 0);

    EXPECT_TRUE(IsShown(DescendantById(sheet, IDOK)));
    EXPECT_EQ(GetDlgItem(sheet, IDCANCEL), nullptr);
    EXPECT_FALSE(IsShown(GetDlgItem(sheet, kApplyButton)));
    EXPECT_FALSE(IsShown(GetDlgItem(sheet, kHelpButton)));

    EXPECT_EQ(WindowExStyle(sheet) & WS_EX_APPWINDOW, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(WindowExStyle(sheet) & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(GetForegroundWindow(), sheet);

    CloseWithOk();
    // Wine's user library has the registration: subscribed at the start, ended at the close.
    EXPECT_THAT(program->Lines().All(),
                testing::IsSupersetOf({u"RegisterPowerSettingNotification Exist",
                                       u"Load RegisterPowerSettingNotification Success"}));
    const auto lines = program->Lines().All();
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), u"Load RegisterPowerSettingNotification Success"),
        2);
}

struct PowerCase {
    const char* name;
    bool (*power)();
    std::uint8_t statusF2, statusF3, statusEF;
    std::u16string health;
    std::u16string percentText;
    std::u16string state;  // empty: whatever the battery status gives
    bool valuesShown;
    std::u16string time;  // empty: the time is hidden
    SIZE picture;
    bool red;
};

void PrintTo(const PowerCase& c, std::ostream* out) { *out << c.name; }

class MeterSheetKindTest : public MeterSheetTest, public testing::WithParamInterface<PowerCase> {};

TEST_P(MeterSheetKindTest, StatusPageShowsThePowerSituation) {
    const PowerCase& c = GetParam();
    Open(c.power, c.statusF2, c.statusF3, c.statusEF);
    EXPECT_EQ(Text(IDC_LABEL_STATUS), u"Battery Status:");
    EXPECT_EQ(Text(IDC_LABEL_TIME), u"Battery Remaining:");
    if (!c.state.empty()) {
        EXPECT_EQ(Text(IDC_STATE_TEXT), c.state);
    }
    for (int value : kBatteryValueIds) EXPECT_EQ(Shown(value), c.valuesShown) << value;
    if (c.valuesShown) {
        EXPECT_EQ(Text(IDC_PERCENT_TEXT), c.percentText);
        EXPECT_TRUE(Text(IDC_HEALTH_TEXT).starts_with(c.health)) << c.name;
    }
    for (int label :
         {IDC_LABEL_NAME, IDC_LABEL_IDENTIFIER, IDC_LABEL_MANUFACTURER, IDC_LABEL_CHEMISTRY}) {
        EXPECT_TRUE(Shown(label)) << label;
    }
    EXPECT_EQ(Shown(IDC_TIME_TEXT), !c.time.empty());
    EXPECT_EQ(Shown(IDC_LABEL_TIME), !c.time.empty());
    if (!c.time.empty()) {
        EXPECT_EQ(Text(IDC_TIME_TEXT), c.time);
    }

    HWND picture = Control(IDC_STATUS_PICTURE);
    EXPECT_EQ(WindowSize(picture).cx, c.picture.cx);
    EXPECT_EQ(WindowSize(picture).cy, c.picture.cy);
    EXPECT_EQ(RedPixels(picture) > 0, c.red);

    const std::wstring name(c.name, c.name + std::strlen(c.name));
    EXPECT_FALSE(SaveSettledScreenshot(sheet, L"meter_status_" + name).empty());
    ShowPage(1);
    EXPECT_FALSE(SaveSettledScreenshot(sheet, L"meter_life_" + name).empty());
    CloseWithOk();
}

// Wine has no battery device, so the battery's own facts stay empty; the controller's flags
// give the longest verdicts, to see them wrap.
INSTANTIATE_TEST_SUITE_P(PowerKinds, MeterSheetKindTest,
                         testing::Values(PowerCase{"kind1",
                                                   [] { return SetOnMains(80); },
                                                   0x00,
                                                   0x20,
                                                   0x00,
                                                   u"Unable to identify the battery.",
                                                   u"80%",
                                                   u"",
                                                   true,
                                                   u"",
                                                   {60, 59},
                                                   false},
                                         PowerCase{"kind2",
                                                   [] { return SetOnMains(80); },
                                                   0x10,
                                                   0x00,
                                                   0x00,
                                                   u"",
                                                   u"80%",
                                                   u"",
                                                   true,
                                                   u"",
                                                   {60, 59},
                                                   true},
                                         PowerCase{"kind3",
                                                   [] { return SetNoBattery(); },
                                                   0x00,
                                                   0x00,
                                                   0x00,
                                                   u"",
                                                   u"",
                                                   u"No Battery",
                                                   false,
                                                   u"",
                                                   {60, 29},
                                                   false},
                                         PowerCase{"kind4",
                                                   [] { return SetOnBattery(7530, 50); },
                                                   0x00,
                                                   0x00,
                                                   0x19,
                                                   u"Your battery can no longer provide",
                                                   u"50%",
                                                   u"",
                                                   true,
                                                   u"2 hr 05 min",
                                                   {40, 78},
                                                   false}),
                         [](const testing::TestParamInfo<PowerCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MeterSheetTest, ComingBackToTheStatusPageReadsThePowerAgain) {
    Open(+[] { return SetOnMains(80); });
    ASSERT_EQ(Text(IDC_PERCENT_TEXT), u"80%");
    ASSERT_TRUE(SetOnMains(40));
    ShowPage(1);
    ShowPage(0);
    EXPECT_EQ(Text(IDC_PERCENT_TEXT), u"40%");
    CloseWithOk();
}

TEST_F(MeterSheetTest, LifePageMirrorsAndSetsTheChargeSwitch) {
    Open(
        +[] { return SetOnMains(80); }, 0x10);
    // The status page's refresh is all the reading there was: the life page reads the
    // controller only once its tab is selected.
    auto reads = [] {
        std::vector<std::uint8_t> addresses;
        for (const SimulatorCall& call : JournalCalls()) {
            if (call.command == 0xB0) addresses.push_back(call.input);
        }
        return addresses;
    };
    Sleep(static_cast<DWORD>(kQuiet.count()));
    EXPECT_THAT(reads(), ElementsAre(0xF2, 0xF3, 0xF2, 0xEF));
    ShowPage(1);
    EXPECT_THAT(reads(), ElementsAre(0xF2, 0xF3, 0xF2, 0xEF, 0xF2));
    HWND check = Control(IDC_DISABLE_CHARGING);
    EXPECT_EQ(WindowText(check), u"Disable battery charging");
    EXPECT_EQ(CheckState(check), BST_CHECKED);

    SetControllerByte(0xF2, 0xEF);
    ShowPage(0);
    ShowPage(1);
    EXPECT_EQ(CheckState(check), BST_UNCHECKED);

    ClearJournal();
    ASSERT_TRUE(Click(check));
    ASSERT_TRUE(WaitUntil([] { return JournalCommands().size() == 1; }));
    ASSERT_TRUE(Click(check));
    ASSERT_TRUE(WaitUntil([] { return JournalCommands().size() == 2; }));
    EXPECT_THAT(JournalCommands(),
                ElementsAre(ControllerCommand{0x59, 0xD7}, ControllerCommand{0x59, 0xD8}));
    CloseWithOk();
}

TEST_F(MeterSheetTest, PowerBroadcastsRefreshTheStatusPage) {
    Open(+[] { return SetOnMains(80); });
    ShowPage(1);  // the status page refreshes whichever page is in front

    ASSERT_TRUE(SetOnMains(30));
    std::size_t mark = program->Lines().Count();
    EXPECT_EQ(SendTo(sheet, WM_POWERBROADCAST, kPowerStatusChange, 0), 0);
    ASSERT_TRUE(program->Lines().WaitFor(u"PowerChange", kPatience, mark));
    std::vector<std::u16string> lines = program->Lines().Since(mark);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], u"PBT_APMPOWERSTATUSCHANGE");
    EXPECT_EQ(lines[1], u"PowerChange");
    ShowPage(0);
    EXPECT_EQ(Text(IDC_PERCENT_TEXT), u"30%");

    ASSERT_TRUE(SetOnMains(20));
    mark = program->Lines().Count();
    EXPECT_EQ(SendTo(sheet, WM_POWERBROADCAST, kPowerSettingChange, 0), 0);
    ASSERT_TRUE(program->Lines().WaitFor(u"PowerChange", kPatience, mark));
    EXPECT_EQ(program->Lines().Since(mark)[0], u"PBT_POWERSETTINGCHANGE");

    mark = program->Lines().Count();
    EXPECT_EQ(SendTo(sheet, WM_POWERBROADCAST, kResumeSuspend, 0), 0);
    EXPECT_EQ(SendTo(sheet, WM_POWERBROADCAST, 4, 0), 0);  // a suspend: no line
    Sleep(static_cast<DWORD>(kQuiet.count()));
    EXPECT_THAT(program->Lines().Since(mark), ElementsAre(u"PBT_APMRESUMESUSPEND"));
    CloseWithOk();
}

}  // namespace
}  // namespace e2e
