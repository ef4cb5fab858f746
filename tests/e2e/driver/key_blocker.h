// A low-level keyboard hook of the test's own, installed above every hook there is, that
// swallows one scan code: a program's hook below it sees that key only once it has put its
// hook back on top.
#pragma once

#include <windows.h>

#include <thread>

namespace e2e {

class KeyBlocker {
public:
    // Installed when the constructor returns; `Installed()` says whether that worked.
    explicit KeyBlocker(DWORD scanCode);
    ~KeyBlocker();
    KeyBlocker(const KeyBlocker&) = delete;
    KeyBlocker& operator=(const KeyBlocker&) = delete;

    bool Installed() const { return m_hook != nullptr; }

private:
    // The system calls a low-level hook through its thread's messages: it needs a loop.
    void Run(HANDLE ready, HDESK desktop);

    DWORD m_threadId = 0;
    HHOOK m_hook = nullptr;
    std::thread m_thread;
};

}  // namespace e2e
