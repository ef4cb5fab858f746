#include "tests/e2e/driver/process_launch.h"

#include <string_view>

#include "tests/e2e/driver/private_desktop.h"
#include "tests/e2e/driver/wide_text.h"

namespace e2e {
namespace {

// The C runtime's rules: backslashes are literal except before a quote, where each pair
// stands for one backslash and an odd one escapes the quote.
void AppendQuoted(std::wstring& line, std::wstring_view argument) {
    const bool plain =
        !argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos;
    if (plain) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        line += c;
        backslashes = 0;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

// The command line the C runtime splits back into exactly the program and its arguments.
std::wstring CommandLineOf(const LaunchOptions& options) {
    std::wstring line;
    AppendQuoted(line, options.program.native());
    for (const std::u16string& argument : options.arguments) {
        line += L' ';
        AppendQuoted(line, Wide(argument));
    }
    return line;
}

}  // namespace

bool StartProcess(const LaunchOptions& options, DWORD creationFlags, bool inheritHandles,
                  STARTUPINFOW& startup, PROCESS_INFORMATION& process) {
    std::wstring commandLine =
        options.commandLine.empty() ? CommandLineOf(options) : options.commandLine;
    std::wstring desktop = ChildDesktop();
    if (!desktop.empty()) startup.lpDesktop = desktop.data();
    return CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr,
                          inheritHandles, creationFlags, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

}  // namespace e2e
