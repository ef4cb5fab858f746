// The real readings under the platform, against the simulated controller.
#include "battery/battery_win32.h"

#include <gtest/gtest.h>

#include "battery/qelt_controller_win32.h"
#include "battery/refresh_battery.h"
#include "common/fixed_text.h"
#include "resources/module_string_blocks_win32.h"
#include "resources/resource.h"
#include "simulated/battery_driver/battery_presets.h"
#include "simulated/battery_driver/simulated_battery_registry_win32.h"
#include "tests/win/simulator.h"

namespace {

class BatteryWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSimulator();
        ASSERT_TRUE(WriteSimulatedBattery(0, simulated_battery::DefaultBattery()));
    }

    bool Refresh() { return RefreshBattery(snapshot, {power, devices, ec, strings, debug}); }

    Win32PowerStatus power;
    Win32BatteryDevices devices;
    QeltController ec;
    ModuleStringBlocks blocks{GetModuleHandleW(nullptr)};
    BlockStringTable strings{blocks};
    RecordingDebugSink debug;
    BatterySnapshot snapshot;
};

TEST_F(BatteryWin32Test, TheFirstBatteryDeviceOpens) {
    // The development battery driver's, in this prefix; a notebook's own on real hardware.
    HANDLE device = OpenFirstBattery();
    ASSERT_NE(device, nullptr);
    CloseHandle(device);
}

TEST_F(BatteryWin32Test, RefreshFollowsThePowerStatusAndTheDevice) {
    Simulator().nameSpace[0xEF] = 0x09;
    ASSERT_TRUE(Refresh());

    SYSTEM_POWER_STATUS system = {};
    ASSERT_TRUE(GetSystemPowerStatus(&system));
    EXPECT_EQ(snapshot.percent, system.BatteryLifePercent);
    if (system.ACLineStatus == 1 && system.BatteryFlag == 128) {
        EXPECT_EQ(snapshot.powerKind, PowerKindMainsNoBattery);
        EXPECT_EQ(FieldText(snapshot.stateText), u"No Battery");
    }
    if (system.BatteryLifePercent == 255) {
        EXPECT_EQ(FieldText(snapshot.percentText), u"Unknown");
    }
    if (system.BatteryLifeTime == 0xFFFFFFFF) {
        EXPECT_EQ(FieldText(snapshot.timeText), u"NULL");
    }

    std::vector<std::u16string> expected;
    if (system.ACLineStatus == 1 && system.BatteryFlag != 128)
        expected.push_back(u"NameSpaceF2 =0");
    for (const char16_t* line : {u"NameSpaceF3=0\n", u"NameSpaceF2=0\n", u"NameSpaceEF=9\n"}) {
        expected.push_back(line);
    }
    EXPECT_EQ(debug.lines, expected);
    EXPECT_EQ(FieldText(snapshot.deviceName), u"Varn 6-cell Li-ion 48 Wh");
    EXPECT_EQ(FieldText(snapshot.chemistry), u"LION");
    // The replacement flag decides the verdict even with a good capacity ratio.
    EXPECT_EQ(FieldText(snapshot.healthText), LoadText(strings, IDS_HEALTH_REPLACE));
    EXPECT_EQ(Simulator().callCount, static_cast<long>(expected.size()));
}

TEST_F(BatteryWin32Test, ModuleStringTableReadsTheEmbeddedTexts) {
    EXPECT_EQ(LoadText(strings, IDS_SHEET_CAPTION), u"Kestrum");
    EXPECT_EQ(LoadText(strings, AFX_IDS_APP_TITLE), u"Kestrum");
    EXPECT_EQ(LoadText(strings, IDS_STATE_CRITICAL), u"Critical");
    std::u16string text = u"kept";
    EXPECT_FALSE(strings.Load(148, text));
    EXPECT_FALSE(strings.Load(1000, text));  // a block that does not exist
    EXPECT_EQ(text, u"kept");
}

}  // namespace
