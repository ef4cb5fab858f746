// Reading another program's tab control: the texts of its items and which one is selected.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// In item order. TCM_GETITEMW fills a record the caller provides, which the system does not
// carry between processes, so the record lives in the program's memory for the call (and
// must have the program's layout: the test and the program come from the same build).
std::vector<std::u16string> TabItemTexts(HWND tab);
// The index of the selected item, -1 when none is.
int TabSelection(HWND tab);

}  // namespace e2e
