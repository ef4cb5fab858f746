// The hidden main frame's menu and accelerator table as compiled.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/host/accelerator_reader.h"
#include "tests/host/fakes.h"
#include "tests/host/menu_reader.h"

namespace {

constexpr std::uint16_t kMenuType = 4, kAcceleratorType = 9;

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

TEST(FrameResourcesTest, Menu) {
    EXPECT_EQ(ProductResources().Languages(kMenuType, IDR_MAINFRAME),
              std::vector<std::uint16_t>{0x0409});
    const ResEntry* entry = ProductResources().Find(kMenuType, IDR_MAINFRAME, 0x0409);
    ASSERT_NE(entry, nullptr);
    const auto bar = ReadMenu(entry->data);
    ASSERT_TRUE(bar.has_value());
    const struct {
        std::string title;
        std::vector<std::pair<std::string, int>> items;  // a separator has no text and 0
    } expected[] = {
        {"&File", {{"E&xit", ID_APP_EXIT}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", ID_EDIT_UNDO},
          {"", 0},
          {"Cu&t\tCtrl+X", ID_EDIT_CUT},
          {"&Copy\tCtrl+C", ID_EDIT_COPY},
          {"&Paste\tCtrl+V", ID_EDIT_PASTE}}},
        {"&Help", {{"&About Kestrum...", ID_APP_ABOUT}}},
    };
    ASSERT_EQ(bar->size(), std::size(expected));
    for (std::size_t i = 0; i < bar->size(); ++i) {
        const MenuItem& popup = (*bar)[i];
        SCOPED_TRACE(expected[i].title);
        EXPECT_TRUE(popup.IsPopup());
        EXPECT_EQ(Narrow(popup.text), expected[i].title);
        ASSERT_EQ(popup.items.size(), expected[i].items.size());
        for (std::size_t j = 0; j < popup.items.size(); ++j) {
            const MenuItem& item = popup.items[j];
            EXPECT_FALSE(item.IsPopup());
            EXPECT_EQ(item.flags, 0) << j;
            EXPECT_EQ(Narrow(item.text), expected[i].items[j].first);
            EXPECT_EQ(item.command, expected[i].items[j].second);
        }
    }
}

TEST(FrameResourcesTest, AcceleratorsAreAllVirtualKeys) {
    constexpr std::uint8_t kVirt = 1, kShift = 4, kCtrl = 8, kAlt = 0x10;
    EXPECT_EQ(ProductResources().Languages(kAcceleratorType, IDR_MAINFRAME),
              std::vector<std::uint16_t>{0x0409});
    const ResEntry* entry = ProductResources().Find(kAcceleratorType, IDR_MAINFRAME, 0x0409);
    ASSERT_NE(entry, nullptr);
    const auto table = ReadAccelerators(entry->data);
    ASSERT_TRUE(table.has_value());
    const std::vector<Accelerator> expected{
        {kVirt | kCtrl, 'C', ID_EDIT_COPY},  {kVirt | kCtrl, 0x2D, ID_EDIT_COPY},
        {kVirt | kCtrl, 'V', ID_EDIT_PASTE}, {kVirt | kShift, 0x2D, ID_EDIT_PASTE},
        {kVirt | kCtrl, 'X', ID_EDIT_CUT},   {kVirt | kShift, 0x2E, ID_EDIT_CUT},
        {kVirt | kCtrl, 'Z', ID_EDIT_UNDO},  {kVirt | kAlt, 0x08, ID_EDIT_UNDO},
        {kVirt, 0x75, ID_NEXT_PANE},         {kVirt | kShift, 0x75, ID_PREV_PANE},
    };
    ASSERT_EQ(table->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*table)[i], expected[i])
            << "entry " << i << ": flags " << int{(*table)[i].flags} << " key " << (*table)[i].key;
    }
}

}  // namespace
