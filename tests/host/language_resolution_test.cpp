// Which language each lookup reads, from the exact languages the product's resources hold.
#include "resources/language_resolution.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/dialog_template.h"
#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

constexpr std::uint16_t kBitmapType = 2;
constexpr std::uint16_t kStringType = 6;
constexpr std::uint16_t kDialogType = 5;
constexpr std::uint16_t kGroupIconType = 14;
constexpr std::uint32_t kLayoutRightToLeft = 0x00400000;

std::uint16_t Resolve(std::uint16_t userInterface, std::uint16_t type, std::uint16_t name) {
    return ResolveLanguage(userInterface, ProductResources().Languages(type, name));
}

TEST(LanguageResolutionTest, PrefersExactThenNeutralThenEnglish) {
    const std::vector<std::uint16_t> all = {0x0007, 0x0407, 0x0409};
    const std::vector<std::uint16_t> noEnglish = {0x0007, 0x0001};
    const struct {
        std::uint16_t userInterface;
        const std::vector<std::uint16_t>& available;
        std::uint16_t read;
    } cases[] = {
        {0x0407, all, 0x0407},  {0x0C07, all, 0x0007},       {0x0413, all, 0x0409},
        {0x0413, noEnglish, 0}, {0x0801, noEnglish, 0x0001}, {0x0000, noEnglish, 0},
        {0x0409, {}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveLanguage(c.userInterface, c.available), c.read)
            << std::hex << c.userInterface;
    }
}

TEST(LanguageResolutionTest, EveryOwnBlockResolvesAsTheLanguagesDo) {
    const struct {
        std::uint16_t userInterface;
        std::uint16_t read;
    } cases[] = {
        {0x0407, 0x0007}, {0x0C07, 0x0007}, {0x0416, 0x0016}, {0x0816, 0x0016}, {0x040A, 0x040A},
        {0x0C0A, 0x000A}, {0x080A, 0x000A}, {0x2C0A, 0x000A}, {0x040C, 0x000C}, {0x0401, 0x0001},
        {0x0C01, 0x0001}, {0x0404, 0x0404}, {0x0804, 0x0804}, {0x0C04, 0x0409}, {0x0413, 0x0409},
        {0x0809, 0x0409}, {0x0411, 0x0411}, {0x040E, 0x040E},
    };
    for (const auto& c : cases) {
        for (std::uint16_t block = 7; block <= 10; ++block) {
            EXPECT_EQ(Resolve(c.userInterface, kStringType, block), c.read)
                << std::hex << c.userInterface << " block " << std::dec << block;
        }
    }
}

TEST(LanguageResolutionTest, TemplatesAndPicturesResolveOnTheirOwn) {
    const struct {
        std::uint16_t userInterface;
        std::uint16_t statusPage, lifePage;
    } cases[] = {
        {0x0407, 0x0007, 0x0409}, {0x0C07, 0x0007, 0x0409}, {0x040C, 0x0409, 0x0409},
        {0x040E, 0x040E, 0x0409}, {0x0401, 0x0001, 0x0001}, {0x0411, 0x0409, 0x0409},
        {0x0416, 0x0016, 0x0409}, {0x0419, 0x0419, 0x0409}, {0x040A, 0x040A, 0x0409},
        {0x080A, 0x000A, 0x0409}, {0x0410, 0x0010, 0x0409}, {0x0C04, 0x0409, 0x0409},
        {0x0413, 0x0409, 0x0409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Resolve(c.userInterface, kDialogType, IDD_STATUS_PAGE), c.statusPage)
            << std::hex << c.userInterface;
        EXPECT_EQ(Resolve(c.userInterface, kDialogType, IDD_LIFE_PAGE), c.lifePage)
            << std::hex << c.userInterface;
        for (std::uint16_t picture :
             {IDB_NO_BATTERY, IDB_CHARGE_OFF, IDB_CHARGING, IDB_ON_BATTERY}) {
            EXPECT_NE(Resolve(c.userInterface, kBitmapType, picture), 0) << picture;
        }
        EXPECT_NE(Resolve(c.userInterface, kGroupIconType, IDR_MAINFRAME), 0);
    }
}

TEST(LanguageResolutionTest, ArabicReadsBothPagesMirrored) {
    for (std::uint16_t page : {IDD_STATUS_PAGE, IDD_LIFE_PAGE}) {
        const std::uint16_t language = Resolve(0x0401, kDialogType, page);
        const ResEntry* entry = ProductResources().Find(kDialogType, page, language);
        ASSERT_NE(entry, nullptr) << page;
        const std::optional<DialogTemplate> dialog = ParseDialogTemplate(entry->data);
        ASSERT_TRUE(dialog) << page;
        EXPECT_NE(dialog->exStyle & kLayoutRightToLeft, 0u) << page;
    }
}

}  // namespace
