// A whole run in another language: the programs a test starts share it.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

TEST(LocaleTest, ProgramsTakeTheLanguageOfTheRun) {
    const struct {
        const wchar_t* locale;
        const char16_t* line;
    } cases[] = {
        {L"de_DE.UTF-8", u"language 0x407"},
        {L"ar_SA.UTF-8", u"language 0x401"},
        {L"zh_HK.UTF-8", u"language 0xc04"},
    };
    // Wine shows the Unix environment's variables to Windows programs as well.
    wchar_t locale[64] = {};
    GetEnvironmentVariableW(L"LC_ALL", locale, static_cast<DWORD>(std::size(locale)));
    for (const auto& c : cases) {
        if (std::wstring(locale) != c.locale) continue;
        Debuggee probe({ProgramBeside(L"e2e_probe.exe"), {u"language"}});
        EXPECT_EQ(probe.WaitForExit(), 0u);
        EXPECT_EQ(probe.Lines().All(), std::vector<std::u16string>{c.line});
        return;
    }
    FAIL() << "no case for this run's LC_ALL";
}

}  // namespace
}  // namespace e2e
