#include "tests/e2e/driver/process_launch.h"

#include <cwctype>
#include <string_view>

#include "tests/e2e/driver/private_desktop.h"
#include "tests/e2e/driver/wide_text.h"

namespace e2e {
namespace {

// The C runtime's rules: backslashes are literal except before a quote, where each pair
// stands for one backslash and an odd one escapes the quote.
void AppendQuoted(std::wstring& line, std::wstring_view argument) {
    const bool plain = !argument.empty() && argument.find_first_of(L" \t\n\v\"") == argument.npos;
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

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    }
    return true;
}

// This process's variables with the options' ones set over them, as a block of
// "NAME=VALUE" entries each ending in 0, the whole ending in one more 0.
std::vector<wchar_t> EnvironmentBlockOf(const LaunchOptions& options) {
    std::vector<std::wstring> entries;
    if (wchar_t* own = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = own; *entry != L'\0'; entry += entries.back().size() + 1) {
            entries.emplace_back(entry);
        }
        FreeEnvironmentStringsW(own);
    }
    for (const EnvironmentVariable& variable : options.environment) {
        const std::wstring_view name = Wide(variable.name);
        std::erase_if(entries, [&](const std::wstring& entry) {
            // Entries such as "=C:=C:\" name a drive's folder, not a variable.
            const std::size_t equals = entry.find(L'=', 1);
            return SameName(std::wstring_view(entry).substr(0, equals), name);
        });
        entries.push_back(std::wstring(name) + L'=' + std::wstring(Wide(variable.value)));
    }
    std::vector<wchar_t> block;
    for (const std::wstring& entry : entries) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

std::wstring CommandLineOf(const LaunchOptions& options) {
    std::wstring line;
    AppendQuoted(line, options.program.native());
    for (const std::u16string& argument : options.arguments) {
        line += L' ';
        AppendQuoted(line, Wide(argument));
    }
    return line;
}

bool StartProcess(const LaunchOptions& options, DWORD creationFlags, bool inheritHandles,
                  STARTUPINFOW& startup, PROCESS_INFORMATION& process) {
    std::wstring commandLine = CommandLineOf(options);
    std::vector<wchar_t> environment = EnvironmentBlockOf(options);
    std::wstring desktop = ChildDesktop();
    if (!desktop.empty()) startup.lpDesktop = desktop.data();
    return CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr,
                          inheritHandles, creationFlags | CREATE_UNICODE_ENVIRONMENT,
                          environment.data(), nullptr, &startup, &process) != FALSE;
}

}  // namespace e2e
