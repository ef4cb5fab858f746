// The property sheet's modal run in the framework's own loop, its pages' templates and the
// order of the overridables around the framework's own steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "framework/property_sheet.h"
#include "framework/property_sheet_font.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "tests/win/framework_windows.h"

namespace {

using Log = std::vector<std::string>;

LOGFONTW FontOf(HWND hWnd) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

class ProbePage final : public CPropertyPage {
public:
    ProbePage(UINT nIDTemplate, std::string name, Log& log)
        : CPropertyPage(nIDTemplate), m_name(std::move(name)), m_log(log) {}

    BOOL OnInitDialog() override {
        m_log.push_back(m_name + " init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override {
        m_log.push_back(m_name + " active");
        sheetFont = FontOf(GetParent(m_hWnd));
        pageFont = FontOf(m_hWnd);
        ownerEnabledWhileRunning = IsWindowEnabled(GetWindow(GetParent(m_hWnd), GW_OWNER));
        if (onActive) std::exchange(onActive, nullptr)(GetParent(m_hWnd));
        return CPropertyPage::OnSetActive();
    }
    BOOL DestroyWindow() override {
        m_log.push_back(m_name + " destroy");
        return CPropertyPage::DestroyWindow();
    }

    // Runs once, at the next activation, with the sheet's window.
    std::function<void(HWND)> onActive;
    LOGFONTW sheetFont = {}, pageFont = {};
    BOOL ownerEnabledWhileRunning = TRUE;

private:
    std::string m_name;
    Log& m_log;
};

class ProbeSheet final : public CPropertySheet {
public:
    ProbeSheet(Log& log, UINT firstTemplate = IDD_STATUS_PAGE)
        : CPropertySheet(IDS_SHEET_CAPTION),
          first(firstTemplate, "first", log),
          second(IDD_LIFE_PAGE, "second", log),
          m_log(log) {
        AddPage(&first);
        AddPage(&second);
    }

    BOOL OnInitDialog() override {
        m_log.push_back("sheet init");
        tabsBeforeBase = TabCount();
        const BOOL result = CPropertySheet::OnInitDialog();
        tabsAfterBase = TabCount();
        return result;
    }
    BOOL DestroyWindow() override {
        m_log.push_back("sheet destroy");
        visibleAtDestroy = IsWindowVisible(m_hWnd);
        return CPropertySheet::DestroyWindow();
    }

    ProbePage first, second;
    LRESULT tabsBeforeBase = -1, tabsAfterBase = -1;
    BOOL visibleAtDestroy = TRUE;

private:
    LRESULT TabCount() {
        HWND tabs = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
        return tabs != nullptr ? ::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
    }

    Log& m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        ASSERT_TRUE(mainWindow.Create(WS_OVERLAPPEDWINDOW, nullptr));
        app.m_pMainWnd = &mainWindow;
    }

    Log log;
    CWinApp app;
    RecordingWnd mainWindow;
};

void PostKey(HWND target, WPARAM key) { PostMessageW(target, WM_KEYDOWN, key, 1); }

TEST_F(PropertySheetTest, OverridesRunInTheirOrderAroundTheFrameworksSteps) {
    ProbeSheet sheet(log);
    HWND owner = nullptr;
    sheet.first.onActive = [&](HWND hSheet) {
        owner = GetWindow(hSheet, GW_OWNER);
        PostKey(GetDlgItem(hSheet, IDOK), VK_ESCAPE);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);

    // The sheet's own step saw no tabs yet: the platform's initialisation came after it.
    EXPECT_EQ(sheet.tabsBeforeBase, 0);
    EXPECT_EQ(sheet.tabsAfterBase, 2);
    // The second page is made only when it is first shown.
    EXPECT_EQ(log,
              (Log{"sheet init", "first init", "first active", "sheet destroy", "first destroy"}));
    EXPECT_FALSE(sheet.visibleAtDestroy);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    // Given no parent, the main window owns the run, disabled while it lasts.
    EXPECT_EQ(owner, mainWindow.m_hWnd);
    EXPECT_FALSE(sheet.first.ownerEnabledWhileRunning);
    EXPECT_TRUE(IsWindowEnabled(mainWindow.m_hWnd));
}

// The thread's key state as the filters read it: Control held down or not.
void HoldControl(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(PropertySheetTest, DialogKeysAreTheSheetsBeforeTheMainWindowSeesThem) {
    ProbeSheet sheet(log);
    sheet.first.onActive = [](HWND hSheet) {
        HoldControl(true);
        PostKey(GetDlgItem(hSheet, IDOK), VK_NEXT);
    };
    // The run goes on after a page switch: back again, and only then Escape.
    sheet.second.onActive = [&](HWND hSheet) {
        sheet.first.onActive = [](HWND hSheet) {
            HoldControl(false);
            PostKey(GetDlgItem(hSheet, IDOK), VK_ESCAPE);
        };
        PostKey(GetDlgItem(hSheet, IDOK), VK_PRIOR);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    HoldControl(false);
    EXPECT_EQ(log, (Log{"sheet init", "first init", "first active", "second init", "second active",
                        "first active", "sheet destroy", "first destroy", "second destroy"}));
    const auto& seen = mainWindow.filtered;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_KEYDOWN)), 0);
}

// As the keyboard hook's notices reach the main frame while the sheet runs.
TEST_F(PropertySheetTest, AThreadMessagePostedDuringTheRunReachesTheMainWindowsFilter) {
    constexpr UINT kNotice = WM_APP + 7;
    ProbeSheet sheet(log);
    sheet.first.onActive = [](HWND hSheet) {
        PostThreadMessageW(GetCurrentThreadId(), kNotice, 0, 0);
        PostKey(GetDlgItem(hSheet, IDOK), VK_ESCAPE);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    const auto& seen = mainWindow.filtered;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), kNotice), 1);
}

TEST_F(PropertySheetTest, AnOkSentFromAnotherThreadEndsTheRun) {
    ProbeSheet sheet(log);
    HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool stuck = false;
    std::thread presser;
    sheet.first.onActive = [&](HWND hSheet) {
        const DWORD uiThread = GetCurrentThreadId();
        presser = std::thread([=, &stuck] {
            while (!IsWindowVisible(hSheet)) Sleep(10);
            // A sent message is handled inside the loop's GetMessageW, which does not return.
            SendMessageW(GetDlgItem(hSheet, IDOK), BM_CLICK, 0, 0);
            if (WaitForSingleObject(ended, 10000) == WAIT_TIMEOUT) {
                stuck = true;
                PostThreadMessageW(uiThread, WM_NULL, 0, 0);
            }
        });
    };
    const INT_PTR result = sheet.DoModal();
    SetEvent(ended);
    presser.join();
    CloseHandle(ended);
    EXPECT_FALSE(stuck) << "the loop noticed the end only at the next posted message";
    EXPECT_EQ(result, IDOK);
}

TEST_F(PropertySheetTest, TheQuitMessageEndsTheRunAndReachesTheOuterLoop) {
    ProbeSheet sheet(log);
    sheet.first.onActive = [](HWND) { PostQuitMessage(7); };
    EXPECT_EQ(sheet.DoModal(), -1);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_EQ(log.back(), "first destroy");
    EXPECT_TRUE(IsWindowEnabled(mainWindow.m_hWnd));
}

TEST_F(PropertySheetTest, PagesAreLaidOutInThePlatformsSheetFont) {
    const std::optional<DialogFont> platform = AfxGetPropertySheetFont();
    ASSERT_TRUE(platform.has_value());
    EXPECT_EQ(platform->typeface, u"MS Shell Dlg");
    EXPECT_EQ(platform->pointSize, 8);

    ProbeSheet sheet(log);
    sheet.first.onActive = [](HWND hSheet) { PostKey(GetDlgItem(hSheet, IDOK), VK_ESCAPE); };
    sheet.DoModal();
    // The stored template names "MS Sans Serif"; the page shows the sheet's font instead.
    EXPECT_STREQ(sheet.first.pageFont.lfFaceName, L"MS Shell Dlg");
    EXPECT_STREQ(sheet.first.pageFont.lfFaceName, sheet.first.sheetFont.lfFaceName);
    EXPECT_EQ(sheet.first.pageFont.lfHeight, sheet.first.sheetFont.lfHeight);
}

TEST_F(PropertySheetTest, APageWithoutItsTemplateMakesNoSheet) {
    constexpr UINT kNoSuchTemplate = 9999;
    ProbeSheet sheet(log, kNoSuchTemplate);
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWindow.m_hWnd));
}

}  // namespace
