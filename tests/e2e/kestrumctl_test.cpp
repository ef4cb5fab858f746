// The developer tool run from outside, under each power situation the fake supply gives, with
// the simulated controller set and read by the test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

// "name          value" lines, the value from column 14; the tool's debug lines ("debug: ...")
// share the output and are left out.
std::map<std::u16string, std::u16string> SnapshotFields(std::u16string_view output) {
    constexpr std::size_t kValueColumn = 14;
    std::map<std::u16string, std::u16string> fields;
    while (!output.empty()) {
        const std::size_t end = std::min(output.find(u'\n'), output.size());
        const std::u16string_view line = output.substr(0, end);
        output.remove_prefix(std::min(end + 1, output.size()));
        if (line.starts_with(u"debug: ")) continue;
        const std::u16string_view name = line.substr(0, line.find(u' '));
        fields[std::u16string(name)] =
            line.size() > kValueColumn ? std::u16string(line.substr(kValueColumn)) : u"";
    }
    return fields;
}

class KestrumctlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FakePowerSupplyPresent());
        ResetSharedSimulator();
    }
};

TEST_F(KestrumctlTest, SnapshotFollowsThePowerSituation) {
    const struct {
        const char* name;
        bool (*set)();
        std::uint8_t chargeStatus;  // byte 0xF2; bit 4 means charging off
        const char16_t* percentText;
        const char16_t* timeText;
        const char16_t* stateText;
        const char16_t* powerKind;
    } cases[] = {
        {"no battery", [] { return SetNoBattery(); }, 0x00, u"Unknown", u"NULL", u"No Battery",
         u"3 (on mains, no battery)"},
        {"mains, 80 %", [] { return SetOnMains(80); }, 0x00, u"80%", u"NULL", u"Discharging",
         u"1 (on mains, charging allowed)"},
        {"mains, charging off", [] { return SetOnMains(80, false); }, 0x10, u"80%", u"NULL",
         u"Discharging", u"2 (on mains, charging off)"},
        {"battery, 7530 s", [] { return SetOnBattery(7530, 75); }, 0x10, u"75%", u"2 hr 05 min",
         u"Discharging", u"4 (on battery)"},
        {"battery, under an hour", [] { return SetOnBattery(1800, 40); }, 0x00, u"40%", u"30 min",
         u"Discharging", u"4 (on battery)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.set());
        SetControllerByte(0xF2, c.chargeStatus);
        const ProgramResult result = RunKestrumctl({u"snapshot"});
        ASSERT_EQ(result.exitCode, 0u) << testing::PrintToString(result.output);
        std::map<std::u16string, std::u16string> fields = SnapshotFields(result.output);
        EXPECT_EQ(fields[u"percentText"], c.percentText);
        EXPECT_EQ(fields[u"timeText"], c.timeText);
        EXPECT_EQ(fields[u"stateText"], c.stateText);
        EXPECT_EQ(fields[u"powerKind"], c.powerKind);
    }
}

TEST_F(KestrumctlTest, JournalHoldsTheReadsOfARefreshAndNoCommand) {
    ASSERT_TRUE(SetOnMains(80));
    ASSERT_EQ(RunKestrumctl({u"ec", u"set", u"0xEF", u"0x29"}).exitCode, 0u);
    EXPECT_EQ(ControllerByte(0xEF), 0x29);
    EXPECT_TRUE(JournalCalls().empty()) << "setting a byte is no call of the controller";

    ASSERT_EQ(RunKestrumctl({u"snapshot"}).exitCode, 0u);
    std::vector<std::uint8_t> addresses;
    for (const SimulatorCall& call : JournalCalls()) {
        EXPECT_EQ(call.command, 0xB0);
        EXPECT_EQ(call.outputCount, 1);
        EXPECT_EQ(call.output, ControllerByte(call.input));
        addresses.push_back(call.input);
    }
    // The charge-off check on mains, then the verdict's three checks in their order.
    EXPECT_THAT(addresses, testing::ElementsAre(0xF2, 0xF3, 0xF2, 0xEF));
    EXPECT_TRUE(JournalCommands().empty());
}

}  // namespace
}  // namespace e2e
