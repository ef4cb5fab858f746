#include "app/close_watcher.h"

namespace {
constexpr wchar_t kCloseEventName[] = L"KestrumCloseEvent";
}  // namespace

CWinThread* StartCloseWatcher(CloseWatch& watch) {
    watch.watcherThread = nullptr;
    // Opens the event instead when another process already holds it, signalled or not.
    watch.closeEvent = new CEvent(FALSE, FALSE, kCloseEventName);
    if (watch.closeEvent->m_hObject == nullptr) return nullptr;
    watch.stopEvent = new CEvent(FALSE, TRUE);
    if (watch.stopEvent->m_hObject == nullptr) return nullptr;
    watch.waitObjects[0] = watch.closeEvent;
    watch.waitObjects[1] = watch.stopEvent;
    watch.closeLock = new CMultiLock(watch.waitObjects, 2);

    CWinThread* thread =
        AfxBeginThread(CloseWatcherProc, &watch, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr) return nullptr;
    // The frame owns the object: it must outlive the thread's end.
    thread->m_bAutoDelete = FALSE;
    watch.watcherThread = thread;
    thread->ResumeThread();
    return thread;
}

UINT __cdecl CloseWatcherProc(LPVOID pCloseWatch) {
    const auto& watch = *static_cast<const CloseWatch*>(pCloseWatch);
    for (;;) {
        const DWORD result = watch.closeLock->Lock(INFINITE, FALSE, 0);
        // A failed wait would fail again at once; only the close event keeps the watcher on.
        if (result != WAIT_OBJECT_0) return 0;
        // When the window is already gone the post fails, which is all it should do.
        PostMessageW(watch.frameWindow, WM_CLOSE, 0, 0);
    }
}

void ReleaseCloseWatch(CloseWatch& watch) {
    if (watch.watcherThread != nullptr) {
        watch.stopEvent->SetEvent();
        WaitForSingleObject(watch.watcherThread->m_hThread, INFINITE);
    }
    delete watch.watcherThread;
    delete watch.closeLock;
    delete watch.closeEvent;
    delete watch.stopEvent;
    watch = {};
}
