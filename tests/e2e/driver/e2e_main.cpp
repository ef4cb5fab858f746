// The entry point of every end-to-end test executable: the tests run on a private virtual
// desktop (see private_desktop.h), which listing them does not need.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/driver/private_desktop.h"

namespace {

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests) && !e2e::EnterPrivateDesktop(kDesktopWidth, kDesktopHeight)) {
        std::fputs("could not set up the private desktop\n", stderr);
        return 1;
    }
    return RUN_ALL_TESTS();
}
