#include "tests/e2e/driver/property_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "tests/e2e/driver/window_messages.h"

namespace e2e {

HWND SheetTabControl(HWND sheet) {
    return reinterpret_cast<HWND>(SendTo(sheet, PSM_GETTABCONTROL).value_or(0));
}

HWND SheetCurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendTo(sheet, PSM_GETCURRENTPAGEHWND).value_or(0));
}

bool SelectSheetPage(HWND sheet, int index) {
    return SendTo(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0).value_or(FALSE) != FALSE;
}

}  // namespace e2e
