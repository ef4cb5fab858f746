#include "tests/e2e/driver/window_icons.h"

#include <tlhelp32.h>

#include <cstdint>
#include <memory>
#include <string>

#include "tests/e2e/driver/program_paths.h"
#include "tests/e2e/driver/remote_buffer.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {
namespace {

constexpr wchar_t kReader[] = L"e2e_icon_reader.dll";

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// Runs `routine(parameter)` on a thread of its own in the process, to its end.
bool RunThere(HANDLE process, const void* routine, void* parameter) {
    const auto start =
        reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<std::uintptr_t>(routine));
    const Handle thread(CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr),
                        &CloseHandle);
    return thread != nullptr &&
           WaitForSingleObject(thread.get(), kPatience.count()) == WAIT_OBJECT_0;
}

// Where the process has loaded the module of that file name; null when it has not.
std::uintptr_t ModuleThere(DWORD processId, const wchar_t* fileName) {
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId), &CloseHandle);
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more;
         more = Module32NextW(snapshot.get(), &module)) {
        if (lstrcmpiW(module.szModule, fileName) == 0) {
            return reinterpret_cast<std::uintptr_t>(module.modBaseAddr);
        }
    }
    return 0;
}

}  // namespace

std::optional<WindowIcons> ReadWindowIcons(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                         PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId),
                         &CloseHandle);
    if (process == nullptr) return std::nullopt;

    // The system's libraries, LoadLibraryW's among them, lie at one address in every process.
    const std::wstring path = ProgramBeside(kReader).wstring();
    const std::size_t pathBytes = (path.size() + 1) * sizeof(wchar_t);
    RemoteBuffer pathThere(processId, pathBytes);
    if (!pathThere.Write(0, path.c_str(), pathBytes) ||
        !RunThere(process.get(), reinterpret_cast<const void*>(LoadLibraryW),
                  pathThere.Address())) {
        return std::nullopt;
    }
    const std::uintptr_t readerThere = ModuleThere(processId, kReader);

    // The routine lies as far into the reader there as into the same reader loaded here.
    const HMODULE readerHere = LoadLibraryW(path.c_str());
    const auto routineHere = reinterpret_cast<std::uintptr_t>(
        readerHere != nullptr ? GetProcAddress(readerHere, "ReadWindowIcons") : nullptr);
    const std::uintptr_t offset = routineHere - reinterpret_cast<std::uintptr_t>(readerHere);
    if (readerHere != nullptr) FreeLibrary(readerHere);
    if (readerThere == 0 || routineHere == 0) return std::nullopt;

    WindowIcons icons;
    icons.window = window;
    RemoteBuffer iconsThere(processId, sizeof icons);
    if (!iconsThere.Write(0, &icons, sizeof icons) ||
        !RunThere(process.get(), reinterpret_cast<const void*>(readerThere + offset),
                  iconsThere.Address()) ||
        !iconsThere.Read(0, &icons, sizeof icons)) {
        return std::nullopt;
    }
    return icons;
}

}  // namespace e2e
