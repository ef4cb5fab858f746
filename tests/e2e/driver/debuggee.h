// A program run under this test as its debugger, so that its debug lines reach the test.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>

#include "tests/e2e/driver/debug_lines.h"
#include "tests/e2e/driver/process_launch.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

class Debuggee {
public:
    // Starts the program (DEBUG_ONLY_THIS_PROCESS) and returns once it runs or failed to.
    explicit Debuggee(LaunchOptions options);
    // A program still running is ended: no test leaves a process behind.
    ~Debuggee();

    Debuggee(const Debuggee&) = delete;
    Debuggee& operator=(const Debuggee&) = delete;

    // Attributes
    bool Started() const { return m_process != nullptr; }
    DWORD ProcessId() const { return m_processId; }
    // The thread that runs the program's main function: where its thread messages go.
    DWORD MainThreadId() const { return m_mainThreadId; }
    // Every line the program wrote with OutputDebugString, without its line end.
    const DebugLines& Lines() const { return m_lines; }
    // The code of an exception the program did not handle, which ended it.
    std::optional<DWORD> UnhandledException() const;

    // Operations
    // The exit code once the program has ended, waiting up to `timeout` for it.
    std::optional<DWORD> WaitForExit(Milliseconds timeout = kPatience) const;
    // Ends the program at once with exit code `exitCode` and waits until it is gone.
    void Terminate(UINT exitCode = 1);
    // Lets the program run on by itself; its later lines are no longer collected.
    bool Detach();

    // Implementation
private:
    void Run(LaunchOptions options);
    void DebugLoop();
    void ReadDebugString(const OUTPUT_DEBUG_STRING_INFO& info);

    DebugLines m_lines;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    DWORD m_mainThreadId = 0;
    std::atomic<DWORD> m_unhandledException{0};
    std::atomic<bool> m_detachRequested{false};
    std::atomic<bool> m_detached{false};
    std::thread m_debugger;
};

}  // namespace e2e
