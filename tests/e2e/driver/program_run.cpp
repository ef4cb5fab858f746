#include "tests/e2e/driver/program_run.h"

#include <chrono>
#include <string>

#include "tests/e2e/driver/wide_text.h"

namespace e2e {
namespace {

// Reads what is in the pipe now without waiting for more: a program the child started may
// hold the pipe open long after the child itself has gone.
void Drain(HANDLE pipe, std::string& bytes) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        std::string chunk(available, '\0');
        DWORD read = 0;
        if (!ReadFile(pipe, chunk.data(), available, &read, nullptr) || read == 0) return;
        bytes.append(chunk, 0, read);
    }
}

}  // namespace

ProgramResult RunProgram(const LaunchOptions& options, Milliseconds timeout) {
    ProgramResult result;
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    const bool started = StartProcess(options, CREATE_NO_WINDOW, true, startup, process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return result;
    }
    CloseHandle(process.hThread);

    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        Drain(readEnd, bytes);
    }
    DWORD code = 0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    } else if (GetExitCodeProcess(process.hProcess, &code)) {
        result.exitCode = code;
    }
    CloseHandle(process.hProcess);
    CloseHandle(readEnd);
    result.output = Decode(bytes, CP_UTF8);
    std::erase(result.output, u'\r');
    return result;
}

}  // namespace e2e
