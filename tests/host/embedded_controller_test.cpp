#include "battery/embedded_controller.h"

#include <gtest/gtest.h>

#include "tests/host/fakes.h"

namespace {

using Check = bool (*)(EmbeddedController&, DebugSink&);

TEST(EmbeddedControllerTest, StatusChecks) {
    const struct {
        Check check;
        std::uint8_t address, value;
        bool result;
        std::u16string line;
    } cases[] = {
        {IsBtReplaceNeeded, 0xEF, 0x29, true, u"NameSpaceEF=29\n"},
        {IsBtReplaceNeeded, 0xEF, 0x09, true, u"NameSpaceEF=9\n"},
        {IsBtReplaceNeeded, 0xEF, 0x0A, false, u"NameSpaceEF=a\n"},
        {IsBtReplaceNeeded, 0xEF, 0x90, false, u"NameSpaceEF=90\n"},
        {IsBtIdentifiedF3, 0xF3, 0x00, true, u"NameSpaceF3=0\n"},
        {IsBtIdentifiedF3, 0xF3, 0x20, false, u"NameSpaceF3=20\n"},
        {IsBtIdentifiedF3, 0xF3, 0xDF, true, u"NameSpaceF3=df\n"},
        {IsBtIdentifiedF2, 0xF2, 0x14, false, u"NameSpaceF2=14\n"},
        {IsBtIdentifiedF2, 0xF2, 0xFB, true, u"NameSpaceF2=fb\n"},
        {IsBtChargeOff, 0xF2, 0x14, true, u"NameSpaceF2 =1"},
        {IsBtChargeOff, 0xF2, 0xFF, true, u"NameSpaceF2 =1"},
        {IsBtChargeOff, 0xF2, 0xEF, false, u"NameSpaceF2 =0"},
    };
    for (const auto& c : cases) {
        ScriptedController ec;
        RecordingDebugSink debug;
        ec.nameSpace[c.address] = c.value;
        EXPECT_EQ(c.check(ec, debug), c.result) << c.line.size();
        ASSERT_EQ(ec.calls.size(), 1u);
        EXPECT_EQ(ec.calls[0].command, 0xB0);
        EXPECT_EQ(ec.calls[0].input, c.address);
        EXPECT_EQ(ec.calls[0].outputCount, 1);
        EXPECT_EQ(debug.lines, std::vector<std::u16string>{c.line});
    }
}

TEST(EmbeddedControllerTest, FailedReadsMeanIdentifiedHealthyAndCharging) {
    ScriptedController ec;
    ec.failReads = true;
    std::fill(std::begin(ec.nameSpace), std::end(ec.nameSpace), 0xFF);
    RecordingDebugSink debug;
    EXPECT_TRUE(IsBtIdentifiedF3(ec, debug));
    EXPECT_TRUE(IsBtIdentifiedF2(ec, debug));
    EXPECT_FALSE(IsBtReplaceNeeded(ec, debug));
    EXPECT_FALSE(IsBtChargeOff(ec, debug));
}

TEST(EmbeddedControllerTest, ChargeSwitchWritesItsLineThenSends) {
    ScriptedController ec;
    RecordingDebugSink debug;
    SetBtDischargeEnable(ec, debug);
    SetBtDischargeDisable(ec, debug);
    ASSERT_EQ(ec.calls.size(), 2u);
    EXPECT_EQ(ec.calls[0].command, 0x59);
    EXPECT_EQ(ec.calls[0].input, 0xD7);
    EXPECT_EQ(ec.calls[0].outputCount, 0);
    EXPECT_EQ(ec.calls[1].command, 0x59);
    EXPECT_EQ(ec.calls[1].input, 0xD8);
    EXPECT_EQ(debug.lines,
              (std::vector<std::u16string>{u"SetBtDischargeEnable", u"SetBtDischargeDisable"}));
}

}  // namespace
