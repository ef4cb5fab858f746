// Runs a console program to its end and keeps what it printed, for tools such as the
// developer tool whose answer is their output.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/driver/process_launch.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

struct ProgramResult {
    // Empty when the program did not start, or did not end within the time and was ended.
    std::optional<DWORD> exitCode;
    // Standard output and error as they came, read as UTF-8, without carriage returns.
    std::u16string output;
};

ProgramResult RunProgram(const LaunchOptions& options, Milliseconds timeout = kPatience);

}  // namespace e2e
