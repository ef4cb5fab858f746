// The entry point of every end-to-end test executable: the tests run on a private virtual
// desktop (see private_desktop.h), which listing them does not need.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/driver/e2e_driver.h"
#include "tests/e2e/driver/private_desktop.h"
#include "tests/e2e/driver/simulator_access.h"

namespace {

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;

// All tests of an executable share one run of the launcher, so each starts from the state a
// run of its own would give it: the simulated controller reset, the fake supply empty, the
// simulated battery the default one.
class FreshStateForEachTest final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        e2e::ResetSharedSimulator();
        if (e2e::FakePowerSupplyPresent() && !e2e::ClearPowerSupply()) {
            std::fputs("could not empty the fake power supply\n", stderr);
        }
        if (!e2e::ResetBattery()) std::fputs("could not reset the simulated battery\n", stderr);
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) {
        if (!e2e::EnterPrivateDesktop(kDesktopWidth, kDesktopHeight)) {
            std::fputs("could not set up the private desktop\n", stderr);
            return 1;
        }
        // Each run has a Wine session of its own, whose drivers start beside its first
        // programs: the tests begin once the battery device is there.
        if (!e2e::BatteryDeviceServed()) {
            std::fputs("the development battery driver does not serve in this prefix\n", stderr);
        }
        ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStateForEachTest);
    }
    return RUN_ALL_TESTS();
}
