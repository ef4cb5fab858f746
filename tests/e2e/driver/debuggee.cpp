#include "tests/e2e/driver/debuggee.h"

#include <algorithm>
#include <future>
#include <string>

#include "tests/e2e/driver/wide_text.h"

namespace e2e {
namespace {

// Long enough not to spin, short enough that a detach request is served at once.
constexpr DWORD kEventPollMs = 20;

void TrimLineEnd(std::u16string& line) {
    line.resize(std::min(line.find(u'\0'), line.size()));
    while (!line.empty() && (line.back() == u'\n' || line.back() == u'\r')) line.pop_back();
}

}  // namespace

Debuggee::Debuggee(LaunchOptions options) {
    std::promise<void> started;
    std::future<void> ready = started.get_future();
    // Debug events go to the thread that started the program, so that thread starts it.
    m_debugger = std::thread([this, &started, options = std::move(options)]() mutable {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        const bool running =
            StartProcess(options, DEBUG_ONLY_THIS_PROCESS, false, startup, process);
        if (running) {
            CloseHandle(process.hThread);
            m_process = process.hProcess;
            m_processId = process.dwProcessId;
            m_mainThreadId = process.dwThreadId;
        }
        started.set_value();
        if (running) DebugLoop();
    });
    ready.wait();
}

Debuggee::~Debuggee() {
    if (m_process != nullptr && !WaitForExit(Milliseconds{0})) Terminate();
    if (m_debugger.joinable()) m_debugger.join();
    if (m_process != nullptr) CloseHandle(m_process);
}

std::optional<DWORD> Debuggee::UnhandledException() const {
    const DWORD code = m_unhandledException;
    return code != 0 ? std::optional(code) : std::nullopt;
}

std::optional<DWORD> Debuggee::WaitForExit(Milliseconds timeout) const {
    if (m_process == nullptr) return std::nullopt;
    if (WaitForSingleObject(m_process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    return GetExitCodeProcess(m_process, &code) ? std::optional(code) : std::nullopt;
}

void Debuggee::Terminate(UINT exitCode) {
    if (m_process == nullptr) return;
    TerminateProcess(m_process, exitCode);
    WaitForExit();
}

bool Debuggee::Detach() {
    if (m_process == nullptr || m_detached) return m_detached;
    m_detachRequested = true;
    if (m_debugger.joinable()) m_debugger.join();
    return m_detached;
}

void Debuggee::DebugLoop() {
    bool initialBreakpoint = true;
    for (;;) {
        if (m_detachRequested && DebugActiveProcessStop(m_processId)) {
            m_detached = true;
            return;
        }
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, kEventPollMs)) continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
                break;
            case OUTPUT_DEBUG_STRING_EVENT:
                ReadDebugString(event.u.DebugString);
                break;
            case EXCEPTION_DEBUG_EVENT: {
                const EXCEPTION_DEBUG_INFO& exception = event.u.Exception;
                // The loader stops once at start for a debugger; that stop is ours to pass.
                if (initialBreakpoint &&
                    exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT) {
                    initialBreakpoint = false;
                    break;
                }
                if (!exception.dwFirstChance) {
                    m_unhandledException = exception.ExceptionRecord.ExceptionCode;
                }
                // Everything else belongs to the program's own handlers, as without a debugger.
                status = DBG_EXCEPTION_NOT_HANDLED;
                break;
            }
            default:
                break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) return;
    }
}

// Wine, like Windows for a debugger that does not ask for wide strings, hands the line over
// converted to the program's ANSI code page.
void Debuggee::ReadDebugString(const OUTPUT_DEBUG_STRING_INFO& info) {
    const std::size_t length = info.nDebugStringLength;
    SIZE_T read = 0;
    std::u16string line;
    if (info.fUnicode) {
        line.resize(length);
        ReadProcessMemory(m_process, info.lpDebugStringData, line.data(), length * 2, &read);
        line.resize(read / 2);
    } else {
        std::string ansi(length, '\0');
        ReadProcessMemory(m_process, info.lpDebugStringData, ansi.data(), length, &read);
        ansi.resize(read);
        line = Decode(ansi, CP_ACP);
    }
    TrimLineEnd(line);
    m_lines.Add(std::move(line));
}

}  // namespace e2e
