#include "framework/sync_object.h"

CSyncObject::~CSyncObject() {
    if (m_hObject != nullptr) CloseHandle(m_hObject);
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCWSTR lpszName,
               LPSECURITY_ATTRIBUTES lpsaAttribute) {
    m_hObject = CreateEventW(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
}
