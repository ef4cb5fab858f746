#include "tests/e2e/driver/program_paths.h"

#include <windows.h>

#include <string>

namespace e2e {

std::filesystem::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

std::filesystem::path ProgramBeside(std::wstring_view fileName) {
    return ProgramFolder() / fileName;
}

}  // namespace e2e
