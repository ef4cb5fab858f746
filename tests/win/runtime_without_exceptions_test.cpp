// The product's allocation functions, in a windowed program of their own: a request that
// cannot be served gives null to the nothrow form, and ends the program at once and silently,
// with the exit code of out of memory, from the form that would have thrown.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/win/language_libraries/language_library.h"

namespace {

// The probe's exit code; nothing when it has not ended within seconds, as when it waits for
// someone to close a message box.
std::optional<DWORD> RunProbe(const std::wstring& form) {
    const std::wstring program = TestFolder() + L"out_of_memory_probe.exe";
    std::wstring commandLine = L"out_of_memory_probe.exe " + form;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    std::optional<DWORD> exitCode;
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &code)) {
        exitCode = code;
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

TEST(RuntimeWithoutExceptionsTest, AnUnservableRequestGivesNullOrEndsTheProgramSilently) {
    EXPECT_EQ(RunProbe(L"nothrow"), 0u);
    EXPECT_EQ(RunProbe(L"throwing"), 3u);
}

}  // namespace
