// Where language libraries are looked for, and in which order.
#include "resources/resource_source.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// The platform's abbreviations of the default locales of a few languages; any other has none.
std::u16string Abbreviation(std::uint16_t language) {
    static const std::map<std::uint16_t, std::u16string> names = {
        {0x0407, u"DEU"}, {0x0007, u"DEU"}, {0x0C07, u"DEA"}, {0x0409, u"ENU"},
        {0x0009, u"ENU"}, {0x0416, u"PTB"}, {0x0016, u"PTB"}, {0x0413, u"NLD"},
    };
    const auto found = names.find(language);
    return found == names.end() ? u"" : found->second;
}

std::vector<std::u16string> Paths(std::u16string_view executable, std::uint16_t user,
                                  std::uint16_t system) {
    return LanguageLibraryPaths(executable, user, system, Abbreviation);
}

TEST(ResourceSourceTest, CandidatesInOrderWithoutRepeats) {
    const struct {
        std::uint16_t user, system;
        std::vector<std::u16string> paths;
    } cases[] = {
        {0x0C07,
         0x0409,
         {u"C:\\K\\KestrumDEA.dll", u"C:\\K\\KestrumDEU.dll", u"C:\\K\\KestrumENU.dll",
          u"C:\\K\\KestrumLOC.dll"}},
        {0x0409, 0x0409, {u"C:\\K\\KestrumENU.dll", u"C:\\K\\KestrumLOC.dll"}},
        {0x0416,
         0x0413,
         {u"C:\\K\\KestrumPTB.dll", u"C:\\K\\KestrumNLD.dll", u"C:\\K\\KestrumLOC.dll"}},
        // Neither language has an abbreviation: only the system default locale is tried.
        {0x0C04, 0x0004, {u"C:\\K\\KestrumLOC.dll"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Paths(u"C:\\K\\Kestrum.exe", c.user, c.system), c.paths) << std::hex << c.user;
    }
}

TEST(ResourceSourceTest, OnlyTheLastExtensionOfTheFileNameIsReplaced) {
    const struct {
        std::u16string executable, first;
    } cases[] = {
        {u"C:\\K\\Kestrum.exe", u"C:\\K\\KestrumENU.dll"},
        {u"C:\\K\\Kestrum.v2.exe", u"C:\\K\\Kestrum.v2ENU.dll"},
        {u"C:\\K.d\\Kestrum", u"C:\\K.d\\KestrumENU.dll"},
        {u"C:/K.d/Kestrum", u"C:/K.d/KestrumENU.dll"},
        {u"Kestrum", u"KestrumENU.dll"},
    };
    for (const auto& c : cases) {
        const std::vector<std::u16string> paths = Paths(c.executable, 0x0409, 0x0409);
        ASSERT_FALSE(paths.empty());
        EXPECT_EQ(paths.front(), c.first);
    }
}

TEST(ResourceSourceTest, LongPathsAreLeftToTheExecutable) {
    const auto executableOf = [](std::size_t length) {
        return u"C:\\" + std::u16string(length - 3 - 4, u'k') + u".exe";
    };
    EXPECT_EQ(Paths(executableOf(259), 0x0409, 0x0409).size(), 2u);
    EXPECT_TRUE(Paths(executableOf(260), 0x0409, 0x0409).empty());
    EXPECT_TRUE(Paths(executableOf(400), 0x0409, 0x0409).empty());
}

TEST(ResourceSourceTest, LibraryNamesLongerThanTheLimitAreSkipped) {
    // 259 units of path, less ".exe", plus the abbreviation and ".dll".
    const std::u16string executable = u"C:\\" + std::u16string(252, u'k') + u".exe";
    const auto named = [&](std::u16string abbreviation) {
        return LanguageLibraryPaths(executable, 0x0409, 0x0409,
                                    [&](std::uint16_t) { return abbreviation; });
    };
    const std::vector<std::u16string> fits = named(std::u16string(14, u'A'));
    ASSERT_EQ(fits.size(), 2u);
    EXPECT_EQ(fits.front().size(), kLanguageLibraryNameLimit);
    const std::vector<std::u16string> tooLong = named(std::u16string(15, u'A'));
    ASSERT_EQ(tooLong.size(), 1u);
    EXPECT_TRUE(tooLong.front().ends_with(u"LOC.dll"));
}

}  // namespace
