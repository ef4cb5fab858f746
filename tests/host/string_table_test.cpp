// The English table as compiled into the product.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

constexpr std::uint16_t kStringType = 6;

TEST(StringTableTest, EveryOwnTextIsPresentAndExact) {
    const struct {
        std::uint16_t id;
        std::u16string text;
    } texts[] = {
        {100,
         u"OLE initialization failed.  Make sure that the OLE libraries are the correct "
         u"version."},
        {101,
         u"Unable to identify the battery. The batteries in your system cannot be charged. "
         u"Please insert a Varn battery for best system operation."},
        {127, u"Kestrum"},
        {128, u"Kestrum"},
        {129, u"Battery Status"},
        {130, u"Battery Status:"},
        {131, u"Idle"},
        {132, u"High"},
        {133, u"Middle"},
        {134, u"Low"},
        {135, u"Critical"},
        {136, u"Charging"},
        {137, u"Discharging"},
        {138, u"No Battery"},
        {139, u"Battery Remaining:"},
        {140, u"Battery Name:"},
        {141, u"Battery Identifier:"},
        {142, u"Manufacturer:"},
        {143, u"Battery Chemistry:"},
        {144, u"Your battery is operating normally."},
        {145,
         u"Your battery is charging normally, however you may begin to notice reduced "
         u"operating time because your long-term battery like is decreasing."},
        {146,
         u"Your battery is charging normally, however it is reaching the end of its usable "
         u"like. You may experience a longer operation time with a new battery. You may "
         u"want to consider purchasing a repleacement battery now."},
        {147,
         u"Your battery can no longer provide sufficient power to your system and needs to "
         u"be replaced."},
        {150, u"Battery Life"},
        {151, u"Disable Charging"},
        {152, u"Disable battery charging"},
        {153,
         u"Checking this box will stop your battery from charging until the next time you "
         u"reboot your computer. Your battery will still perform normally."},
        {154, u"OK"},
        {155, u"Varn"},
        {156, u"hr"},
        {157, u"min"},
        {158, u"Unknown"},
        {57344, u"Kestrum"},
        {57345, u"Ready"},
        {59136, u"EXT"},
        {59141, u"REC"},
    };
    for (const auto& t : texts) {
        std::u16string text;
        ASSERT_TRUE(EnglishStrings().Load(t.id, text)) << t.id;
        EXPECT_EQ(text, t.text) << t.id;
    }
}

TEST(StringTableTest, GapsInTheOwnBlocksAreNotFound) {
    std::vector<std::uint16_t> gaps = {96, 97, 98, 99, 148, 149, 159};
    for (std::uint16_t id = 102; id <= 126; ++id) gaps.push_back(id);
    for (std::uint16_t id : gaps) {
        std::u16string text = u"kept";
        EXPECT_FALSE(EnglishStrings().Load(id, text)) << id;
        EXPECT_EQ(text, u"kept");
    }
    for (std::uint16_t block = 7; block <= 10; ++block) {
        EXPECT_NE(ProductResources().Find(kStringType, block, 0x0409), nullptr) << block;
    }
}

TEST(StringTableTest, FrameworkPromptsHaveDescriptionAndTip) {
    const std::uint16_t prompts[] = {ID_EDIT_COPY, ID_EDIT_UNDO, ID_APP_ABOUT,
                                     ID_APP_EXIT,  ID_NEXT_PANE, ID_PREV_PANE};
    for (std::uint16_t id : prompts) {
        const std::u16string text = LoadText(EnglishStrings(), id);
        EXPECT_NE(text.find(u'\n'), std::u16string::npos) << id;
    }
    for (std::uint16_t id : {AFX_IDS_SCSIZE, AFX_IDS_SCCLOSE, AFX_IDS_SCTASKLIST}) {
        EXPECT_FALSE(LoadText(EnglishStrings(), id).empty()) << id;
    }
}

TEST(StringTableTest, TextsFitTheFieldsThatReceiveThem) {
    const auto length = [](std::uint16_t id) { return LoadText(EnglishStrings(), id).size(); };
    EXPECT_LE(length(IDS_PERCENT_UNKNOWN), 14u);
    for (std::uint16_t id : {131, 135, 136, 137, 138}) EXPECT_LE(length(id), 29u) << id;
    EXPECT_EQ(length(IDS_STATE_CRITICAL) + 3 + length(IDS_STATE_DISCHARGING), 22u);
    // The widest time below five-digit hours: "9999 hr 59 min".
    EXPECT_LE(4 + 1 + length(IDS_UNIT_HOURS) + 1 + 2 + 1 + length(IDS_UNIT_MINUTES), 19u);
    for (std::uint16_t id : {101, 144, 145, 146, 147}) EXPECT_LE(length(id), 254u) << id;
}

}  // namespace
