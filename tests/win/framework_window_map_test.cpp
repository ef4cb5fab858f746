// The one window-to-object mapping: made at creation, never twice, released at the last
// message; and Default() across nested messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "tests/win/framework_windows.h"

namespace {

bool Saw(const RecordingWnd& wnd, UINT message) {
    return std::find(wnd.messages.begin(), wnd.messages.end(), message) != wnd.messages.end();
}

TEST(FrameworkWindowMapTest, TheObjectIsBoundFromTheFirstMessageToTheLast) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(WS_OVERLAPPEDWINDOW, nullptr));
    const HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
    // The creation messages reached the object itself.
    EXPECT_TRUE(Saw(wnd, WM_NCCREATE));
    EXPECT_TRUE(Saw(wnd, WM_CREATE));

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(wnd.postNcDestroys, 1);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(FrameworkWindowMapTest, AnObjectIsNeverBoundTwice) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(WS_OVERLAPPEDWINDOW, nullptr));
    const HWND first = wnd.m_hWnd;
    EXPECT_FALSE(wnd.Create(WS_OVERLAPPEDWINDOW, nullptr));
    EXPECT_EQ(wnd.m_hWnd, first);
    EXPECT_EQ(CWnd::FromHandlePermanent(first), &wnd);

    // Nor does a refused hand-over leave anything behind for the next window.
    const HWND plain = CreatePlainWindow(WS_OVERLAPPEDWINDOW, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    DestroyWindow(plain);
}

// A subclass above the framework's procedure that keeps the window's last message from it.
WNDPROC g_belowSwallower = nullptr;

LRESULT CALLBACK SwallowLastMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) return 0;
    return CallWindowProcW(g_belowSwallower, hWnd, message, wParam, lParam);
}

TEST(FrameworkWindowMapTest, AWindowEndedUnseenIsNoLongerBoundOnceAnotherIsMade) {
    RecordingWnd ended;
    ASSERT_TRUE(ended.Create(WS_OVERLAPPEDWINDOW, nullptr));
    const HWND endedWindow = ended.m_hWnd;
    g_belowSwallower = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        endedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwallowLastMessage)));
    ASSERT_TRUE(DestroyWindow(endedWindow));
    ASSERT_EQ(ended.postNcDestroys, 0);

    RecordingWnd next;
    ASSERT_TRUE(next.Create(WS_OVERLAPPEDWINDOW, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(endedWindow), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(next.m_hWnd), &next);
}

// A main frame that counts its deletions.
class CountedFrame : public CFrameWnd {
public:
    explicit CountedFrame(int& deleted) : m_deleted(deleted) {}
    ~CountedFrame() override { ++m_deleted; }

private:
    int& m_deleted;
};

// A main frame whose window the platform refuses before sending it anything: no such class.
class UncreatableFrame final : public CountedFrame {
public:
    using CountedFrame::CountedFrame;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override {
        cs.lpszClass = L"Kestrum.NoSuchClass";
        return TRUE;
    }
};

TEST(FrameworkWindowMapTest, AFrameRefusedBeforeItsFirstMessageEndsAsItsWindowWould) {
    CWinApp app;
    int deleted = 0;
    auto* frame = new UncreatableFrame(deleted);
    app.m_pMainWnd = frame;
    EXPECT_FALSE(frame->LoadFrame(0, WS_OVERLAPPEDWINDOW));
    // Deleted and no longer the main window, so a failed start destroys nothing.
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// Called after the framework's own creation notice, which is installed later: gives the first
// window created back to the platform's procedure, so none of its messages reach the framework.
HWND g_takenAway = nullptr;

LRESULT CALLBACK TakeAway(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_takenAway == nullptr) {
        g_takenAway = reinterpret_cast<HWND>(wParam);
        SetWindowLongPtrW(g_takenAway, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcW));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(FrameworkWindowMapTest, AFrameWhoseWindowIsMadeButNeverTakenIsNotDeleted) {
    const HHOOK hook = SetWindowsHookExW(WH_CBT, TakeAway, nullptr, GetCurrentThreadId());
    int deleted = 0;
    auto* frame = new CountedFrame(deleted);
    const BOOL loaded = frame->LoadFrame(0, WS_OVERLAPPEDWINDOW);
    UnhookWindowsHookEx(hook);
    ASSERT_NE(g_takenAway, nullptr);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(deleted, 0);
    if (deleted == 0) delete frame;
    DestroyWindow(g_takenAway);
}

// Creates a plain child while its own creation is still going on.
class ParentWnd final : public RecordingWnd {
public:
    HWND child = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) child = CreatePlainWindow(WS_CHILD | WS_VISIBLE, m_hWnd);
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(FrameworkWindowMapTest, OnlyTheFirstWindowOfACreationIsTaken) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create(WS_OVERLAPPEDWINDOW, nullptr));
    ASSERT_NE(parent.child, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.child), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.m_hWnd), &parent);
}

TEST(FrameworkWindowMapTest, AnObjectThatGoesTakesItsWindowWithIt) {
    HWND hWnd = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.Create(WS_OVERLAPPEDWINDOW, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

// The class procedure below the object: notes each message and answers with its wParam.
std::vector<UINT> g_classProcedureMessages;

LRESULT CALLBACK NotingProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) {
        g_classProcedureMessages.push_back(message);
        return static_cast<LRESULT>(wParam);
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Handles WM_APP by first sending itself WM_APP + 1, then leaving WM_APP to the class.
class NestingWnd final : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            nestedResult = SendMessage(WM_APP + 1, 22, 0);
            return Default();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    LRESULT nestedResult = 0;
};

TEST(FrameworkWindowMapTest, DefaultHandsOnTheMessageBeingHandledAfterANestedOne) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = NotingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KestrumTestNotingWindow";
    RegisterClassExW(&windowClass);

    NestingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"KestrumTestNotingWindow", L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                             nullptr, nullptr));
    g_classProcedureMessages.clear();
    EXPECT_EQ(wnd.SendMessage(WM_APP, 11, 0), 11);
    EXPECT_EQ(wnd.nestedResult, 22);
    EXPECT_EQ(g_classProcedureMessages, (std::vector<UINT>{WM_APP + 1, WM_APP}));
}

}  // namespace
