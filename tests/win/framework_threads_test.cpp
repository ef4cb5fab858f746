#include <gtest/gtest.h>

#include <thread>

#include "framework/multi_lock.h"
#include "framework/sync_object.h"
#include "framework/thread_slot.h"
#include "framework/win_thread.h"

namespace {

TEST(FrameworkThreadsTest, NamedEventOpensTheExistingOneWithItsState) {
    CEvent first(FALSE, FALSE, L"KestrumTestEvent");
    ASSERT_NE(first.m_hObject, nullptr);
    first.SetEvent();
    CEvent second(FALSE, FALSE, L"KestrumTestEvent");
    ASSERT_NE(second.m_hObject, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    CSyncObject* objects[] = {&second};
    CMultiLock lock(objects, 1);
    EXPECT_EQ(lock.Lock(0, FALSE), WAIT_OBJECT_0);
    // Auto-reset: the one signal released one wait.
    EXPECT_EQ(lock.Lock(0, FALSE), static_cast<DWORD>(WAIT_TIMEOUT));
}

struct Handshake {
    CEvent started;
    CEvent release;
    volatile LONG runs = 0;
};

UINT __cdecl CountAndWait(LPVOID parameter) {
    auto* handshake = static_cast<Handshake*>(parameter);
    InterlockedIncrement(&handshake->runs);
    handshake->started.SetEvent();
    WaitForSingleObject(handshake->release, INFINITE);
    return 7;
}

TEST(FrameworkThreadsTest, SuspendedThreadRunsOnlyWhenResumedAndOutlivesNoObject) {
    Handshake handshake;
    CWinThread* thread =
        AfxBeginThread(CountAndWait, &handshake, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(WaitForSingleObject(handshake.started, 100), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(handshake.runs, 0);

    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(handshake.started, 5000), WAIT_OBJECT_0);
    handshake.release.SetEvent();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeThread(thread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(handshake.runs, 1);
    delete thread;
}

TEST(FrameworkThreadsTest, AThreadSlotHoldsOneValueForEachThread) {
    const ThreadSlot<int> slot;
    int mine = 1;
    int theirs = 2;
    slot.Set(&mine);
    const int* seenThere = &mine;
    std::thread([&] {
        seenThere = slot.Get();
        slot.Set(&theirs);
    }).join();
    EXPECT_EQ(seenThere, nullptr);
    EXPECT_EQ(slot.Get(), &mine);
}

}  // namespace
