// The status page through the real battery device path: the development battery driver
// answers the tag, status and information requests of each refresh, as a notebook's would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "battery/battery_ioctl.h"
#include "battery/battery_win32.h"
#include "resources/module_string_blocks_win32.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "simulated/battery_driver/battery_answer.h"
#include "simulated/battery_driver/battery_presets.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

using simulated_battery::Battery;
using simulated_battery::DefaultBattery;
using testing::ElementsAre;

constexpr UINT kPowerStatusChange = 10;  // PBT_APMPOWERSTATUSCHANGE

class BatteryDeviceTest : public SheetFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(BatteryDeviceServed())
            << "Wine has not loaded the development battery driver in this prefix";
        ASSERT_TRUE(SetOnBattery(7530, 75));
        program.emplace(LaunchOptions{ProgramBeside(L"opensheet.exe"), {}});
        ASSERT_TRUE(program->Started());
        sheet = WaitForTopLevel({u"#32770", u"Kestrum", program->ProcessId()});
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsShown(sheet) && SheetCurrentPage(sheet); }));
    }

    void TearDown() override {
        if (sheet) Click(DescendantById(sheet, IDOK));
        if (program) program->WaitForExit();
    }

    // The driver answers `battery` from now on; the page shows it after one refresh, which
    // the notification runs to its end before it returns. The refresh's debug lines.
    std::vector<std::u16string> Show(const Battery& battery) {
        EXPECT_TRUE(SetBattery(battery));
        const std::size_t mark = program->Lines().Count();
        EXPECT_EQ(SendTo(sheet, WM_POWERBROADCAST, kPowerStatusChange, 0), 0);
        return program->Lines().Since(mark);
    }

    // The English verdicts, from the program's own resources, which this test carries too.
    static std::u16string Verdict(std::uint16_t id) {
        static ModuleStringBlocks blocks(GetModuleHandleW(nullptr));
        static BlockStringTable strings(blocks);
        return id ? LoadText(strings, id) : u"";
    }

    std::optional<Debuggee> program;
};

TEST_F(BatteryDeviceTest, StateTextFromThePowerState) {
    const struct {
        std::uint32_t powerState;
        std::u16string text;
    } cases[] = {{1, u"Idle"},
                 {2, u"Discharging"},
                 {4, u"Charging"},
                 {5, u"Charging"},
                 {6, u"Discharging"},
                 {9, u"Critical - "},
                 {10, u"Critical - Discharging"},
                 {12, u"Critical - Charging"},
                 {0, u""}};
    for (const auto& c : cases) {
        Battery battery = DefaultBattery();
        battery.status.powerState = c.powerState;
        Show(battery);
        EXPECT_EQ(Text(IDC_STATE_TEXT), c.text) << "power state " << c.powerState;
    }
}

TEST_F(BatteryDeviceTest, NameIdentifierManufacturerAndChemistry) {
    Show(DefaultBattery());
    EXPECT_EQ(Text(IDC_NAME_TEXT), u"Varn 6-cell Li-ion 48 Wh");
    EXPECT_EQ(Text(IDC_IDENTIFIER_TEXT), u"0417VarnV6C48");
    EXPECT_EQ(Text(IDC_MANUFACTURER_TEXT), u"Varn");
    EXPECT_EQ(Text(IDC_CHEMISTRY_TEXT), u"LION");

    // A name that fills the whole 510-byte answer without a terminator is cut at the field.
    Battery battery = DefaultBattery();
    simulated_battery::FillText(battery.deviceName, 510);
    std::memcpy(battery.information.chemistry, "LI\0N", 4);
    Show(battery);
    std::u16string expected(254, u'\0');
    std::memcpy(expected.data(), battery.deviceName.bytes, expected.size() * 2);
    EXPECT_EQ(Text(IDC_NAME_TEXT), expected);
    EXPECT_EQ(Text(IDC_CHEMISTRY_TEXT), u"LI");
}

TEST_F(BatteryDeviceTest, VerdictAtTheRatioBoundariesAndTheControllerOverrides) {
    const struct {
        std::uint32_t full, designed;
        std::uint8_t f3, f2, ef;
        std::uint16_t verdict;  // 0: empty
    } cases[] = {
        {65, 100, 0, 0, 0, IDS_HEALTH_NORMAL},
        {64, 100, 0, 0, 0, IDS_HEALTH_DECREASING},
        {50, 100, 0, 0, 0, IDS_HEALTH_END_OF_LIFE},
        {26, 100, 0, 0, 0, IDS_HEALTH_END_OF_LIFE},
        {25, 100, 0, 0, 0, IDS_HEALTH_REPLACE},
        {120, 100, 0, 0, 0, IDS_HEALTH_NORMAL},
        {50, 0, 0, 0, 0, IDS_HEALTH_NORMAL},
        {0, 0, 0, 0, 0, 0},
        {100, 100, 0x20, 0, 0, IDS_BT_NOT_IDENTIFIED},
        {100, 100, 0, 0x04, 0, IDS_BT_NOT_IDENTIFIED},
        {100, 100, 0, 0, 0x09, IDS_HEALTH_REPLACE},
    };
    for (const auto& c : cases) {
        SetControllerByte(0xF3, c.f3);
        SetControllerByte(0xF2, c.f2);
        SetControllerByte(0xEF, c.ef);
        Battery battery = DefaultBattery();
        battery.information.fullChargedCapacity = c.full;
        battery.information.designedCapacity = c.designed;
        Show(battery);
        EXPECT_EQ(Text(IDC_HEALTH_TEXT), Verdict(c.verdict))
            << c.full << "/" << c.designed << " with 0xF3 " << int{c.f3} << ", 0xF2 " << int{c.f2}
            << ", 0xEF " << int{c.ef};
    }
}

TEST_F(BatteryDeviceTest, BatteryPulledWhileTheSheetIsOpen) {
    Show(DefaultBattery());
    Battery pulled = DefaultBattery();
    simulated_battery::Pull(pulled);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::u16string> lines = Show(pulled);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_THAT(lines, testing::IsSupersetOf({u"Get SystemStatus DeviceIoControl Fail"}));
    std::vector<std::u16string> requests;
    for (const std::u16string& line : lines) {
        if (line.find(u"DeviceIoControl") != std::u16string::npos) requests.push_back(line);
    }
    EXPECT_THAT(requests,
                ElementsAre(u"Get SystemStatus DeviceIoControl Fail",
                            u"Get Name DeviceIoControl Fail", u"Get ID DeviceIoControl Fail",
                            u"Get Manu DeviceIoControl Fail in GetBtManuName",
                            u"Get BtInfo DeviceIoControl Fail"));
    EXPECT_EQ(Text(IDC_NAME_TEXT), u"Varn 6-cell Li-ion 48 Wh");
    EXPECT_EQ(Text(IDC_IDENTIFIER_TEXT), u"0417VarnV6C48");
    EXPECT_EQ(Text(IDC_MANUFACTURER_TEXT), u"Varn");
    // Both tag requests waited for a battery, and neither waited on: no hang, no skipped wait.
    EXPECT_GE(took, std::chrono::milliseconds(400));
    EXPECT_LT(took, std::chrono::milliseconds(5000));
}

TEST_F(BatteryDeviceTest, ReplacedBatteryShowsItsOwnTexts) {
    Battery battery = DefaultBattery();
    Show(battery);
    simulated_battery::Replace(battery);
    simulated_battery::SetText(battery.deviceName, u"Varn 6-cell Li-ion 50 Wh");
    Show(battery);
    EXPECT_EQ(Text(IDC_NAME_TEXT), u"Varn 6-cell Li-ion 50 Wh");
    EXPECT_EQ(Text(IDC_IDENTIFIER_TEXT), u"0926VarnV6C50");
    EXPECT_EQ(Text(IDC_HEALTH_TEXT), Verdict(IDS_HEALTH_NORMAL));
}

// The driver itself, asked as a client asks: a tag request that waits for a battery.
class BatteryDriverTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(BatteryDeviceServed())
            << "Wine has not loaded the development battery driver in this prefix";
        Battery empty = DefaultBattery();
        simulated_battery::Pull(empty);
        ASSERT_TRUE(SetBattery(empty));
        device = OpenBatteryInterface(0, FILE_FLAG_OVERLAPPED);
        ASSERT_NE(device, nullptr);
        overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override {
        CloseHandle(overlapped.hEvent);
        if (device != nullptr) CloseHandle(device);
    }

    // Starts a tag request that may wait `milliseconds`; true when it waits.
    bool AskTag(std::uint32_t milliseconds) {
        wait = milliseconds;
        return !DeviceIoControl(device, battery_ioctl::kQueryTag, &wait, sizeof wait, &tag,
                                sizeof tag, nullptr, &overlapped) &&
               GetLastError() == ERROR_IO_PENDING;
    }
    // The request's end: its error (0: success) once it has ended within `timeout`.
    std::optional<DWORD> Outcome(DWORD timeout) {
        DWORD returned = 0;
        if (WaitForSingleObject(overlapped.hEvent, timeout) != WAIT_OBJECT_0) return std::nullopt;
        return GetOverlappedResult(device, &overlapped, &returned, FALSE) ? 0 : GetLastError();
    }

    HANDLE device = nullptr;
    OVERLAPPED overlapped{};
    std::uint32_t wait = 0, tag = 0;
};

TEST_F(BatteryDriverTest, AWaitForABatteryEndsWithTheInsertedOnesTag) {
    ASSERT_TRUE(AskTag(simulated_battery::kWaitForever));
    EXPECT_EQ(Outcome(300), std::nullopt) << "no battery yet: the request waits";
    ASSERT_TRUE(SetBattery(DefaultBattery()));
    EXPECT_EQ(Outcome(5000), 0u);
    EXPECT_EQ(tag, DefaultBattery().tag);
}

TEST_F(BatteryDriverTest, AWaitWithoutABatteryFailsWhenItsTimeIsUp) {
    ASSERT_TRUE(AskTag(200));
    // "No such device": Wine says ERROR_NO_SUCH_DEVICE, the platform's documentation names
    // ERROR_FILE_NOT_FOUND.
    const std::optional<DWORD> outcome = Outcome(5000);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_THAT(*outcome, testing::AnyOf(433u, static_cast<DWORD>(ERROR_FILE_NOT_FOUND)));
}

TEST_F(BatteryDriverTest, ACancelledWaitEndsAndTheDriverGoesOn) {
    ASSERT_TRUE(AskTag(simulated_battery::kWaitForever));
    ASSERT_TRUE(CancelIoEx(device, &overlapped));
    EXPECT_EQ(Outcome(5000), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
    // The driver goes on answering.
    ASSERT_TRUE(SetBattery(DefaultBattery()));
    ASSERT_TRUE(ResetEvent(overlapped.hEvent));
    EXPECT_FALSE(AskTag(0));
    EXPECT_EQ(tag, DefaultBattery().tag);
}

}  // namespace
}  // namespace e2e
