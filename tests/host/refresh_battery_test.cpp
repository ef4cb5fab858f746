#include "battery/refresh_battery.h"

#include <gtest/gtest.h>

#include "common/fixed_text.h"
#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

using namespace battery_ioctl;

class RefreshBatteryTest : public ::testing::Test {
protected:
    bool Refresh() {
        return RefreshBattery(snapshot, {power, battery, ec, EnglishStrings(), debug});
    }
    std::u16string Text(std::u16string_view field) const { return std::u16string(field); }

    ScriptedPower power;
    ScriptedBattery battery;
    ScriptedController ec;
    RecordingDebugSink debug;
    BatterySnapshot snapshot;
};

TEST_F(RefreshBatteryTest, PercentText) {
    const struct {
        std::uint8_t percent;
        std::u16string text;
    } cases[] = {{0, u"0%"}, {87, u"87%"}, {100, u"100%"}, {254, u"254%"}, {255, u"Unknown"}};
    for (const auto& c : cases) {
        power.status.batteryLifePercent = c.percent;
        ASSERT_TRUE(Refresh());
        EXPECT_EQ(snapshot.percent, c.percent);
        EXPECT_EQ(FieldText(snapshot.percentText), c.text) << int{c.percent};
    }
}

TEST_F(RefreshBatteryTest, TimeText) {
    const struct {
        std::uint32_t seconds;
        std::u16string text;
    } cases[] = {
        {0, u"00 min"},
        {59, u"00 min"},
        {540, u"09 min"},
        {3599, u"59 min"},
        {3600, u"1 hr 00 min"},
        {7530, u"2 hr 05 min"},
        {35999999, u"9999 hr 59 min"},
        // Hours of five digits and more no longer fit the field: cut, still terminated.
        {36000000, u"10000 hr 00 min"},
        {0xFFFFFFFE, u"1193046 hr 28 min"},
        {0xFFFFFFFF, u"NULL"},
    };
    for (const auto& c : cases) {
        power.status.batteryLifeTime = c.seconds;
        ASSERT_TRUE(Refresh());
        const std::u16string expected = c.text.substr(0, std::size(snapshot.timeText) - 1);
        EXPECT_EQ(FieldText(snapshot.timeText), expected) << c.seconds;
        EXPECT_EQ(snapshot.timeText[std::size(snapshot.timeText) - 1], u'\0');
    }
}

TEST_F(RefreshBatteryTest, PowerKindAndTheChargeSwitchRead) {
    const struct {
        std::uint8_t acLine, batteryFlag, statusF2;
        std::int32_t kind;
        bool asksChargeSwitch;
    } cases[] = {
        {1, 1, 0x00, PowerKindMainsCharging, true},
        {1, 8, 0x10, PowerKindMainsChargeOff, true},
        {1, 128, 0x10, PowerKindMainsNoBattery, false},
        // 128 with other bits is not "no battery".
        {1, 136, 0x00, PowerKindMainsCharging, true},
        {1, 136, 0xFF, PowerKindMainsChargeOff, true},
        {0, 1, 0x10, PowerKindOnBattery, false},
        {0, 128, 0x00, PowerKindOnBattery, false},
    };
    for (const auto& c : cases) {
        power.status.acLineStatus = c.acLine;
        power.status.batteryFlag = c.batteryFlag;
        ec.nameSpace[0xF2] = c.statusF2;
        ec.calls.clear();
        ASSERT_TRUE(Refresh());
        EXPECT_EQ(snapshot.powerKind, c.kind) << int{c.acLine} << "/" << int{c.batteryFlag};
        const auto reads = ec.ReadAddresses();
        ASSERT_FALSE(reads.empty());
        // The verdict asks 0xF3 first; only the kind's question comes before it.
        EXPECT_EQ(reads.front() == 0xF2, c.asksChargeSwitch);
    }
}

TEST_F(RefreshBatteryTest, UnknownMainsStateKeepsThePreviousKind) {
    power.status.acLineStatus = 255;
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(snapshot.powerKind, PowerKindUnknown);

    power.status.acLineStatus = 0;
    ASSERT_TRUE(Refresh());
    power.status.acLineStatus = 255;
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(snapshot.powerKind, PowerKindOnBattery);
}

TEST_F(RefreshBatteryTest, StateText) {
    const struct {
        std::uint8_t batteryFlag;
        std::uint32_t powerState;
        std::u16string text;
    } cases[] = {
        {128, kCharging, u"No Battery"},
        {1, 1, u"Idle"},
        {1, 5, u"Charging"},
        {1, 6, u"Discharging"},
        {1, 7, u"Discharging"},
        {1, 9, u"Critical - "},
        {1, 10, u"Critical - Discharging"},
        {1, 12, u"Critical - Charging"},
        {1, 14, u"Critical - Discharging"},
        {1, 0, u""},
    };
    for (const auto& c : cases) {
        power.status.batteryFlag = c.batteryFlag;
        battery.powerState = c.powerState;
        ASSERT_TRUE(Refresh());
        EXPECT_EQ(FieldText(snapshot.stateText), c.text) << c.powerState;
    }
}

TEST_F(RefreshBatteryTest, HealthVerdictFromTheCapacityRatio) {
    const struct {
        std::uint32_t full, design;
        std::uint16_t verdict;  // 0: empty
    } cases[] = {
        {65, 100, IDS_HEALTH_NORMAL},
        {64, 100, IDS_HEALTH_DECREASING},
        {51, 100, IDS_HEALTH_DECREASING},
        {50, 100, IDS_HEALTH_END_OF_LIFE},
        {26, 100, IDS_HEALTH_END_OF_LIFE},
        {25, 100, IDS_HEALTH_REPLACE},
        {0, 100, IDS_HEALTH_REPLACE},
        {120, 100, IDS_HEALTH_NORMAL},
        {5, 0, IDS_HEALTH_NORMAL},
        {0, 0, 0},
        {0xFFFFFFFF, 0xFFFFFFFF, IDS_HEALTH_NORMAL},
    };
    for (const auto& c : cases) {
        battery.information.fullChargedCapacity = c.full;
        battery.information.designedCapacity = c.design;
        ASSERT_TRUE(Refresh());
        const std::u16string expected = c.verdict ? LoadText(EnglishStrings(), c.verdict) : u"";
        EXPECT_EQ(FieldText(snapshot.healthText), expected) << c.full << "/" << c.design;
    }
}

TEST_F(RefreshBatteryTest, ControllerFlagsOverruleTheRatio) {
    const struct {
        std::uint8_t f3, f2, ef;
        std::uint16_t verdict;
        std::vector<std::uint8_t> reads;  // after the charge-switch read of the kind
    } cases[] = {
        {0x20, 0x00, 0x00, IDS_BT_NOT_IDENTIFIED, {0xF3}},
        {0xFF, 0xFF, 0x09, IDS_BT_NOT_IDENTIFIED, {0xF3}},
        {0x00, 0x04, 0x00, IDS_BT_NOT_IDENTIFIED, {0xF3, 0xF2}},
        {0x00, 0x14, 0x09, IDS_BT_NOT_IDENTIFIED, {0xF3, 0xF2}},
        {0x00, 0x00, 0x09, IDS_HEALTH_REPLACE, {0xF3, 0xF2, 0xEF}},
        {0x00, 0x00, 0x19, IDS_HEALTH_REPLACE, {0xF3, 0xF2, 0xEF}},
        {0x00, 0x00, 0x29, IDS_HEALTH_REPLACE, {0xF3, 0xF2, 0xEF}},
        {0x00, 0x00, 0x0A, IDS_HEALTH_NORMAL, {0xF3, 0xF2, 0xEF}},
        {0xDF, 0xFB, 0xF0, IDS_HEALTH_NORMAL, {0xF3, 0xF2, 0xEF}},
    };
    battery.information.fullChargedCapacity = 100;
    battery.information.designedCapacity = 100;
    for (const auto& c : cases) {
        ec.nameSpace[0xF3] = c.f3;
        ec.nameSpace[0xF2] = c.f2;
        ec.nameSpace[0xEF] = c.ef;
        ec.calls.clear();
        ASSERT_TRUE(Refresh());
        EXPECT_EQ(FieldText(snapshot.healthText), LoadText(EnglishStrings(), c.verdict));
        std::vector<std::uint8_t> expected{0xF2};
        expected.insert(expected.end(), c.reads.begin(), c.reads.end());
        EXPECT_EQ(ec.ReadAddresses(), expected);
        EXPECT_LE(ec.calls.size(), 4u);
    }
}

TEST_F(RefreshBatteryTest, DeviceTextsAndChemistry) {
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(FieldText(snapshot.deviceName), u"Bat 1");
    EXPECT_EQ(FieldText(snapshot.uniqueId), u"ID42");
    EXPECT_EQ(FieldText(snapshot.manufacturer), u"Varn");
    EXPECT_EQ(FieldText(snapshot.chemistry), u"LION");

    const std::uint8_t twoUnits[4] = {'P', 'b', 0, 'x'};
    std::copy(std::begin(twoUnits), std::end(twoUnits), battery.information.chemistry);
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(FieldText(snapshot.chemistry), u"Pb");

    const std::uint8_t high[4] = {0x80, 0xE9, 0xFF, 0x41};
    std::copy(std::begin(high), std::end(high), battery.information.chemistry);
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(FieldText(snapshot.chemistry), u"\u0080\u00E9\u00FFA");
    EXPECT_EQ(snapshot.chemistry[4], u'\0');
}

TEST_F(RefreshBatteryTest, RequestsGoOutInOrderWithTheirExactForms) {
    ASSERT_TRUE(Refresh());
    ASSERT_EQ(battery.requests.size(), 7u);
    const std::uint32_t codes[] = {kQueryTag,         kQueryStatus,      kQueryTag,
                                   kQueryInformation, kQueryInformation, kQueryInformation,
                                   kQueryInformation};
    const std::uint32_t inputSizes[] = {4, 20, 4, 12, 12, 12, 12};
    const std::uint32_t outputSizes[] = {4, 16, 4, 510, 510, 510, 36};
    const std::int32_t levels[] = {kDeviceName, kUniqueId, kManufactureName, kBatteryInformation};
    for (std::size_t i = 0; i < battery.requests.size(); ++i) {
        const auto& request = battery.requests[i];
        EXPECT_EQ(request.code, codes[i]) << i;
        EXPECT_EQ(request.input.size(), inputSizes[i]) << i;
        EXPECT_EQ(request.outputSize, outputSizes[i]) << i;
    }
    const auto word = [](const std::vector<std::uint8_t>& bytes, std::size_t index) {
        std::uint32_t value;
        std::memcpy(&value, bytes.data() + index * 4, 4);
        return value;
    };
    EXPECT_EQ(word(battery.requests[0].input, 0), 200u);  // tag wait in milliseconds
    EXPECT_EQ(word(battery.requests[2].input, 0), 200u);
    EXPECT_EQ(
        battery.requests[1].input,
        std::vector<std::uint8_t>({0x51, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(word(battery.requests[3 + i].input, 0), 0x51u);
        EXPECT_EQ(static_cast<std::int32_t>(word(battery.requests[3 + i].input, 1)), levels[i]);
    }
    EXPECT_EQ(battery.opened, 1);
    EXPECT_EQ(battery.closed, 1);
    EXPECT_TRUE(debug.lines.size() == 4u) << "only the controller's lines";
}

TEST_F(RefreshBatteryTest, NoBatteryDeviceWritesTheFiveRequestLines) {
    battery.present = false;
    power.status = {1, 128, 255, 0xFFFFFFFF};
    CopyText(snapshot.deviceName, u"kept");
    ASSERT_TRUE(Refresh());

    std::vector<std::u16string> requestLines;
    for (const auto& line : debug.lines) {
        if (line.find(u"DeviceIoControl") != std::u16string::npos) requestLines.push_back(line);
    }
    EXPECT_EQ(requestLines, (std::vector<std::u16string>{
                                u"Get SystemStatus DeviceIoControl Fail",
                                u"Get Name DeviceIoControl Fail",
                                u"Get ID DeviceIoControl Fail",
                                u"Get Manu DeviceIoControl Fail in GetBtManuName",
                                u"Get BtInfo DeviceIoControl Fail",
                            }));
    EXPECT_EQ(debug.lines.size(), 8u);  // the five, then 0xF3, 0xF2 and 0xEF
    EXPECT_EQ(FieldText(snapshot.deviceName), u"kept");
    EXPECT_EQ(snapshot.percent, 255);
    EXPECT_EQ(FieldText(snapshot.percentText), u"Unknown");
    EXPECT_EQ(FieldText(snapshot.timeText), u"NULL");
    EXPECT_EQ(FieldText(snapshot.stateText), u"No Battery");
    EXPECT_EQ(snapshot.powerKind, PowerKindMainsNoBattery);
    EXPECT_EQ(FieldText(snapshot.healthText), u"");  // zeros: no ratio
    EXPECT_EQ(battery.closed, 0);
}

TEST_F(RefreshBatteryTest, FailedRequestsUseZerosAndKeepTheTexts) {
    ASSERT_TRUE(Refresh());
    battery.failStatus = true;
    battery.failInformation = true;
    battery.texts.clear();
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(FieldText(snapshot.stateText), u"");
    EXPECT_EQ(FieldText(snapshot.chemistry), u"");
    EXPECT_EQ(FieldText(snapshot.healthText), u"");
    EXPECT_EQ(FieldText(snapshot.deviceName), u"Bat 1");
    EXPECT_EQ(FieldText(snapshot.manufacturer), u"Varn");
}

TEST_F(RefreshBatteryTest, FailedTagMakesTheNextRequestsFail) {
    battery.failTag = true;
    ASSERT_TRUE(Refresh());
    ASSERT_EQ(debug.lines.size(), 9u);
    EXPECT_EQ(debug.lines[1], u"Get SystemStatus DeviceIoControl Fail");
    EXPECT_EQ(debug.lines[5], u"Get BtInfo DeviceIoControl Fail");
    for (std::size_t i : {1, 3, 4, 5, 6}) {
        std::uint32_t tag = 1;
        std::memcpy(&tag, battery.requests[i].input.data(), sizeof tag);
        EXPECT_EQ(tag, 0u) << "request " << i << " carries the failed tag";
    }
    EXPECT_EQ(battery.closed, 1);
}

TEST_F(RefreshBatteryTest, UnreadablePowerStatusChangesNothing) {
    ASSERT_TRUE(Refresh());
    const BatterySnapshot before = snapshot;
    power.readable = false;
    power.status = {0, 2, 5, 60};
    debug.lines.clear();
    EXPECT_FALSE(Refresh());
    // Byte for byte, padding included: nothing of the record may be touched.
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    EXPECT_EQ(std::memcmp(&before, &snapshot, sizeof snapshot), 0);
    EXPECT_EQ(debug.lines, std::vector<std::u16string>{u"GetSystemPowerStatus Fail"});
    EXPECT_EQ(battery.opened, 1);
}

TEST_F(RefreshBatteryTest, DriverTextFillingTheWholeFieldIsStillTerminated) {
    // 255 units of non-zero text, 510 bytes: the request fills the field to its last byte.
    battery.texts[kDeviceName] = std::u16string(255, u'N');
    battery.texts[kUniqueId] = std::u16string(300, u'I');
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(FieldText(snapshot.deviceName), std::u16string(254, u'N'));
    EXPECT_EQ(FieldText(snapshot.uniqueId), std::u16string(254, u'I'));
    EXPECT_EQ(snapshot.deviceName[254], u'\0');
    EXPECT_EQ(FieldText(snapshot.manufacturer), u"Varn");
}

TEST_F(RefreshBatteryTest, MissingStringsGiveEmptyTexts) {
    class NoStrings final : public StringTable {
        bool Load(std::uint16_t, std::u16string&) const override { return false; }
    } none;
    power.status = {1, 1, 255, 7530};
    battery.powerState = 10;
    ASSERT_TRUE(RefreshBattery(snapshot, {power, battery, ec, none, debug}));
    EXPECT_EQ(FieldText(snapshot.percentText), u"");
    EXPECT_EQ(FieldText(snapshot.timeText), u"2  05 ");
    EXPECT_EQ(FieldText(snapshot.stateText), u" - ");
    EXPECT_EQ(FieldText(snapshot.healthText), u"");
}

}  // namespace
