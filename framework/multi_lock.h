// A wait on a fixed list of synchronisation objects.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/sync_object.h"

class CMultiLock final {
public:
    // The objects must outlive the lock; it keeps only their handles.
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    // WAIT_OBJECT_0 + i when object i ended the wait, or the platform's other wait results.
    // With a wake mask the wait also ends on input, as WAIT_OBJECT_0 + count.
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);

private:
    std::vector<HANDLE> m_handles;
};
