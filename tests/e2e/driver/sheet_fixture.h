// A fixture for tests that look at another program's open sheet: the controls of the page on
// show, and changing pages as the user does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace e2e {

class SheetFixture : public testing::Test {
protected:
    HWND Control(int id) const;
    std::u16string Text(int id) const;
    bool Shown(int id) const;
    // Activates page `index` through the sheet and checks that its tab is the selected one.
    void ShowPage(int index) const;

    HWND sheet = nullptr;
};

}  // namespace e2e
