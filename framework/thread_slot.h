// A pointer of each thread, kept in the platform's thread-local storage. The compiler's own
// thread_local goes through an emulation that brings the threads library into the image.
#pragma once
#include <windows.h>

template <typename T>
class ThreadSlot {
public:
    ThreadSlot() : m_index(TlsAlloc()) {}
    ~ThreadSlot() { TlsFree(m_index); }
    ThreadSlot(const ThreadSlot&) = delete;
    ThreadSlot& operator=(const ThreadSlot&) = delete;

    // Null on a thread that has set nothing.
    T* Get() const { return static_cast<T*>(TlsGetValue(m_index)); }
    void Set(T* value) const {
        TlsSetValue(m_index, const_cast<void*>(static_cast<const void*>(value)));
    }

private:
    DWORD m_index;
};
