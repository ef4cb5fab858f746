#include "ui/life_page_display.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/host/fakes.h"
#include "tests/host/table_controls.h"

namespace {

class LifePageDisplayTest : public ::testing::Test {
protected:
    std::vector<ScriptedController::Call> Commands() const {
        std::vector<ScriptedController::Call> commands;
        for (const auto& call : ec.calls) {
            if (call.command != 0xB0) commands.push_back(call);
        }
        return commands;
    }

    ScriptedController ec;
    RecordingDebugSink debug;
    TableControls controls{IDD_LIFE_PAGE};
};

TEST_F(LifePageDisplayTest, InitializationWritesTheThreeTexts) {
    InitializeLifePage(EnglishStrings(), controls);
    EXPECT_EQ(controls.At(IDC_CHARGE_GROUP).text, u"Disable Charging");
    EXPECT_EQ(controls.At(IDC_DISABLE_CHARGING).text, u"Disable battery charging");
    EXPECT_NE(controls.At(IDC_CHARGE_NOTE).text, u"Discharge description");
    EXPECT_FALSE(controls.At(IDC_CHARGE_NOTE).text.empty());
    EXPECT_TRUE(ec.calls.empty());
}

TEST_F(LifePageDisplayTest, TheCheckBoxFollowsBitFourOfStatusByteF2) {
    const struct {
        std::uint8_t statusF2;
        std::int32_t check;
    } cases[] = {{0x10, 1}, {0xFF, 1}, {0x00, 0}, {0xEF, 0}};
    for (const auto& c : cases) {
        ec.nameSpace[0xF2] = c.statusF2;
        ec.calls.clear();
        controls.At(IDC_DISABLE_CHARGING).check = 2;
        ShowChargeSwitch(ec, debug, controls);
        EXPECT_EQ(controls.At(IDC_DISABLE_CHARGING).check, c.check) << int{c.statusF2};
        EXPECT_EQ(ec.ReadAddresses(), std::vector<std::uint8_t>{0xF2});
        EXPECT_TRUE(Commands().empty());
    }
}

TEST_F(LifePageDisplayTest, EachClickSendsOneCommandForTheNewState) {
    const struct {
        std::int32_t check;
        std::vector<std::uint8_t> data;  // of command 0x59
    } cases[] = {{1, {0xD7}}, {0, {0xD8}}, {2, {}}, {3, {}}, {-1, {}}};
    for (const auto& c : cases) {
        ec.calls.clear();
        controls.At(IDC_DISABLE_CHARGING).check = c.check;
        ApplyChargeSwitchClick(ec, debug, controls);
        std::vector<std::uint8_t> data;
        for (const auto& command : Commands()) {
            EXPECT_EQ(command.command, 0x59);
            data.push_back(command.input);
        }
        EXPECT_EQ(data, c.data) << "check state " << c.check;
        // The switch is not read back after a command.
        EXPECT_TRUE(ec.ReadAddresses().empty());
    }
}

}  // namespace
