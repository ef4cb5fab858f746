// How the driver starts a program: its path and arguments, and the one place that turns them
// into a CreateProcessW call.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct LaunchOptions {
    std::filesystem::path program;
    std::vector<std::u16string> arguments;
    // When not empty, the whole command line exactly as given (a registered command, say),
    // instead of one made from the program and its arguments.
    std::wstring commandLine = {};
};
// The program inherits this process's environment. Its user-interface language under Wine
// follows LC_ALL of the Unix environment the test itself was started in, which an
// environment block given to CreateProcessW does not change: run the whole test in another
// language instead (kestrum_add_e2e_tests(... LOCALE ...) in tests/e2e/CMakeLists.txt).

// Starts the program on the driver's desktop (see private_desktop.h). `startup` may carry
// standard handles; `process` receives the handles, which the caller closes.
bool StartProcess(const LaunchOptions& options, DWORD creationFlags, bool inheritHandles,
                  STARTUPINFOW& startup, PROCESS_INFORMATION& process);

}  // namespace e2e
