// Where the build put things: every executable of a build, tests included, in one bin
// folder.
#pragma once

#include <filesystem>
#include <string_view>

namespace e2e {

// The folder of the running test executable.
std::filesystem::path ProgramFolder();
// A program built beside the test, e.g. ProgramBeside(L"kestrumctl.exe").
std::filesystem::path ProgramBeside(std::wstring_view fileName);

}  // namespace e2e
