// The close watcher: a worker thread that turns each signal of the named event
// "KestrumCloseEvent" into a WM_CLOSE for the main frame.
#pragma once

#include <windows.h>

#include "framework/multi_lock.h"
#include "framework/sync_object.h"
#include "framework/win_thread.h"

// Shared by the main frame and the watcher thread. Filled completely before the thread runs,
// then only read by it; released only after the thread has ended.
struct CloseWatch {
    CEvent* closeEvent = nullptr;
    // The close event, then the frame's request to stop watching.
    CSyncObject* waitObjects[2] = {};
    CMultiLock* closeLock = nullptr;
    HWND frameWindow = nullptr;
    CWinThread* watcherThread = nullptr;
    CEvent* stopEvent = nullptr;
};

// Opens or creates the event and starts the watcher on `watch`, whose frameWindow is set.
// Returns the running thread's object, or null when the event, the stop request or the thread
// could not be made; what was made stays in `watch` for ReleaseCloseWatch.
CWinThread* StartCloseWatcher(CloseWatch& watch);

// The thread: waits on the close event without time-out and posts WM_CLOSE to the frame at
// each signal, until the stop request or a failed wait ends it.
UINT __cdecl CloseWatcherProc(LPVOID pCloseWatch);

// Ends the watcher and waits for its end, then deletes the thread object, the lock and the
// events, so that the thread never reads what is released. Safe on a partly filled record.
void ReleaseCloseWatch(CloseWatch& watch);
