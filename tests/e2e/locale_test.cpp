// A whole run in another language (registered with LOCALE): the programs a test starts
// share it.
#include <gtest/gtest.h>

#include <string>

#include "common/fixed_text.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

constexpr LANGID kEnglishUnitedStates = 0x0409;

TEST(LocaleTest, ProgramsTakeTheLanguageOfTheRun) {
    const LANGID language = GetUserDefaultUILanguage();
    ASSERT_NE(language, kEnglishUnitedStates) << "a run without LOCALE proves nothing";
    char16_t expected[32];
    FixedText(expected).Append(u"language 0x").AppendHex(language);

    Debuggee probe({ProgramBeside(L"e2e_probe.exe"), {u"language"}});
    EXPECT_EQ(probe.WaitForExit(), 0u);
    EXPECT_EQ(probe.Lines().All(), std::vector<std::u16string>{expected});
}

}  // namespace
}  // namespace e2e
