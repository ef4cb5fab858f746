// How the driver starts a program: its path, arguments and environment, and the one place
// that turns them into a CreateProcessW call.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct EnvironmentVariable {
    std::u16string name;
    std::u16string value;
};

struct LaunchOptions {
    std::filesystem::path program;
    std::vector<std::u16string> arguments;
    // Set over this process's own environment. Under Wine the child's locale follows them,
    // so {u"LC_ALL", u"de_DE.UTF-8"} gives it a German user interface.
    std::vector<EnvironmentVariable> environment;
};

// The command line the C runtime splits back into exactly the program and `arguments`.
std::wstring CommandLineOf(const LaunchOptions& options);

// Starts the program on the driver's desktop (see private_desktop.h). `startup` may carry
// standard handles; `process` receives the handles, which the caller closes.
bool StartProcess(const LaunchOptions& options, DWORD creationFlags, bool inheritHandles,
                  STARTUPINFOW& startup, PROCESS_INFORMATION& process);

}  // namespace e2e
