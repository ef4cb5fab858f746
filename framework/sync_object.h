// Waitable kernel objects owned by framework objects.
#pragma once

#include <windows.h>

// Owns one kernel object handle and closes it when destroyed.
class CSyncObject {
public:
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;

protected:
    CSyncObject() = default;
};

// An event. When an event of that name exists already, it is opened instead of created, with
// whatever state it has. Check m_hObject: null when the platform refused.
class CEvent final : public CSyncObject {
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCWSTR lpszName = nullptr,
           LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent() { return ::SetEvent(m_hObject); }
};
