// The driver against a probe program that does one known thing per mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

LaunchOptions Probe(std::vector<std::u16string> arguments) {
    return {ProgramBeside(L"e2e_probe.exe"), std::move(arguments), {}};
}

TEST(DebuggeeTest, CollectsLinesInOrder) {
    Debuggee probe(Probe({u"print", u"one", u"two words", u"ends in a line end\n"}));
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.WaitForExit(), 3u);
    EXPECT_THAT(probe.Lines().All(),
                testing::ElementsAre(u"one", u"two words", u"ends in a line end"));
}

}  // namespace
}  // namespace e2e
