// The simulator honours the maker's call forms through the import the product links against.
#include <gtest/gtest.h>

#include "qelt/qelt.h"
#include "tests/win/simulator.h"

namespace {

class QeltSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSimulator(); }
};

TEST_F(QeltSimulatorTest, ReadsTheNameSpace) {
    Simulator().nameSpace[0xF3] = 0x20;
    unsigned char address = 0xF3, value = 0;
    QeltEvaluate(0xB0, &address, 1, &value, 1);
    EXPECT_EQ(value, 0x20);
    const SimulatorCall& call = Simulator().journal[0];
    EXPECT_EQ(Simulator().callCount, 1);
    EXPECT_EQ(call.command, 0xB0);
    EXPECT_EQ(call.input, 0xF3);
    EXPECT_EQ(call.outputCount, 1);
    EXPECT_EQ(call.output, 0x20);
}

TEST_F(QeltSimulatorTest, ChargeSwitchTogglesOnlyBitFourOfF2) {
    const struct {
        unsigned char before, data, after;
    } cases[] = {{0x00, 0xD7, 0x10},
                 {0xEF, 0xD7, 0xFF},
                 {0xFF, 0xD8, 0xEF},
                 {0x14, 0xD8, 0x04},
                 {0x14, 0x42, 0x14}};
    for (const auto& c : cases) {
        Simulator().nameSpace[0xF2] = c.before;
        unsigned char data = c.data;
        QeltEvaluate(0x59, &data, 1, nullptr, 0);
        EXPECT_EQ(Simulator().nameSpace[0xF2], c.after) << int{c.data};
    }
    EXPECT_EQ(Simulator().callCount, 5);
    EXPECT_EQ(Simulator().journal[4].input, 0x42);
    EXPECT_EQ(Simulator().journal[4].outputCount, 0);
}

TEST_F(QeltSimulatorTest, JournalKeepsTheLatestCallsWhenFull) {
    unsigned char address = 0x01, value = 0;
    for (std::uint32_t i = 0; i < kSimulatorJournalSize + 3; ++i) {
        address = static_cast<unsigned char>(i);
        QeltEvaluate(0xB0, &address, 1, &value, 1);
    }
    EXPECT_EQ(static_cast<std::uint32_t>(Simulator().callCount), kSimulatorJournalSize + 3);
    EXPECT_EQ(Simulator().journal[2].input, static_cast<unsigned char>(kSimulatorJournalSize + 2));
}

TEST_F(QeltSimulatorTest, MalformedCallsAreRefused) {
    unsigned char value = 0x5A;
    EXPECT_EQ(QeltEvaluate(0xB0, nullptr, 1, &value, 1), 0);
    EXPECT_EQ(QeltEvaluate(0xB0, &value, 0, &value, 1), 0);
    EXPECT_EQ(value, 0x5A);
}

TEST_F(QeltSimulatorTest, FaultModesChangeTheAnswersButNotTheJournalledRequests) {
    const struct {
        SimulatorMode mode;
        int readResult;
        unsigned char readValue;  // what a read leaves in a buffer that held 0x5A
        int switchResult;
        unsigned char f2AfterChargingOff;
    } cases[] = {{SimulatorMode::Normal, 1, 0x21, 1, 0x31},
                 {SimulatorMode::FailEveryCall, 0, 0x5A, 0, 0x21},
                 {SimulatorMode::AnswerFF, 1, 0xFF, 1, 0x31}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        ResetSimulator();
        Simulator().nameSpace[0xF2] = 0x21;
        Simulator().mode = c.mode;
        unsigned char address = 0xF2, value = 0x5A, data = 0xD7;
        EXPECT_EQ(QeltEvaluate(0xB0, &address, 1, &value, 1), c.readResult);
        EXPECT_EQ(value, c.readValue);
        EXPECT_EQ(QeltEvaluate(0x59, &data, 1, nullptr, 0), c.switchResult);
        EXPECT_EQ(Simulator().nameSpace[0xF2], c.f2AfterChargingOff);
        ASSERT_EQ(Simulator().callCount, 2);
        EXPECT_EQ(Simulator().journal[0].input, 0xF2);
        EXPECT_EQ(Simulator().journal[1].input, 0xD7);
    }
    ResetSimulator();
}

}  // namespace
