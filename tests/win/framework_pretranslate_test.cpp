// The walk a retrieved message makes through the pre-filters before it is dispatched.
#include <gtest/gtest.h>

#include "framework/message_pump.h"
#include "framework/win_app.h"
#include "tests/win/framework_windows.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// main <- owned popup <- plain child (no object) <- framework grandchild; beside them an
// overlapped window owned by main and a top-level window outside main's family.
class PreTranslateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.Create(WS_OVERLAPPEDWINDOW, nullptr));
        ASSERT_TRUE(popup.Create(WS_POPUP, main.m_hWnd));
        plainChild = CreatePlainWindow(WS_CHILD, popup.m_hWnd);
        ASSERT_TRUE(grandchild.Create(WS_CHILD, plainChild));
        ASSERT_TRUE(ownedOverlapped.Create(WS_OVERLAPPED, main.m_hWnd));
        ASSERT_TRUE(stranger.Create(WS_OVERLAPPEDWINDOW, nullptr));
        app.m_pMainWnd = &main;
        MSG stale;
        while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&stale);
    }

    // Posts one probe and pumps exactly it.
    void PumpProbe(HWND target) {
        if (target != nullptr) {
            PostMessageW(target, kProbe, 0, 0);
        } else {
            PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
        }
        MSG msg;
        ASSERT_TRUE(AfxPumpMessage(msg));
        ASSERT_EQ(msg.message, kProbe);
    }

    std::vector<std::string> log;
    CWinApp app;
    RecordingWnd main{"main", &log};
    RecordingWnd popup{"popup", &log};
    HWND plainChild = nullptr;
    RecordingWnd grandchild{"grandchild", &log};
    RecordingWnd ownedOverlapped{"owned", &log};
    RecordingWnd stranger{"stranger", &log};
};

using Walk = std::vector<std::string>;

TEST_F(PreTranslateTest, AWindowMessageClimbsParentsAndOwnersToTheMainWindow) {
    PumpProbe(grandchild.m_hWnd);
    EXPECT_EQ(log, (Walk{"grandchild", "popup", "main"}));
    EXPECT_EQ(grandchild.messages.back(), kProbe) << "nobody consumed it, so it was dispatched";
}

TEST_F(PreTranslateTest, AFilterThatConsumesEndsTheWalkAndTheDispatch) {
    popup.consumes = true;
    grandchild.messages.clear();
    PumpProbe(grandchild.m_hWnd);
    EXPECT_EQ(log, (Walk{"grandchild", "popup"}));
    EXPECT_TRUE(grandchild.messages.empty());
}

TEST_F(PreTranslateTest, EachWindowIsAskedOnce) {
    PumpProbe(main.m_hWnd);
    EXPECT_EQ(log, (Walk{"main"}));
    log.clear();
    PumpProbe(ownedOverlapped.m_hWnd);
    EXPECT_EQ(log, (Walk{"owned", "main"}));
}

TEST_F(PreTranslateTest, ThreadMessagesAndStrangersEndAtTheMainWindow) {
    PumpProbe(nullptr);
    EXPECT_EQ(log, (Walk{"main"}));
    log.clear();
    PumpProbe(stranger.m_hWnd);
    EXPECT_EQ(log, (Walk{"stranger", "main"}));
}

TEST_F(PreTranslateTest, WithoutAMainWindowTheWalkEndsAtTheTop) {
    app.m_pMainWnd = nullptr;
    PumpProbe(nullptr);
    EXPECT_TRUE(log.empty());
    PumpProbe(stranger.m_hWnd);
    EXPECT_EQ(log, (Walk{"stranger"}));
}

TEST_F(PreTranslateTest, TheQuitMessageIsLeftToTheCaller) {
    PostQuitMessage(5);
    MSG msg;
    EXPECT_FALSE(AfxPumpMessage(msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_TRUE(log.empty());
}

}  // namespace
