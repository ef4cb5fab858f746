// The parts of a property sheet a test needs to find its way around another program's sheet.
#pragma once

#include <windows.h>

namespace e2e {

HWND SheetTabControl(HWND sheet);
// The page window on show, or null once the sheet has ended.
HWND SheetCurrentPage(HWND sheet);
// Activates page `index` as a click on its tab does: the old page is asked to let go, the new
// one is told it is active.
bool SelectSheetPage(HWND sheet, int index);

}  // namespace e2e
