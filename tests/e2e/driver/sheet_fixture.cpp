#include "tests/e2e/driver/sheet_fixture.h"

#include "tests/e2e/driver/property_sheet.h"
#include "tests/e2e/driver/tab_control.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

HWND SheetFixture::Control(int id) const { return DescendantById(SheetCurrentPage(sheet), id); }

std::u16string SheetFixture::Text(int id) const { return WindowText(Control(id)); }

bool SheetFixture::Shown(int id) const { return IsShown(Control(id)); }

void SheetFixture::ShowPage(int index) const {
    ASSERT_TRUE(SelectSheetPage(sheet, index));
    ASSERT_EQ(TabSelection(SheetTabControl(sheet)), index);
}

}  // namespace e2e
