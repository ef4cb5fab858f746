#include "tests/e2e/driver/process_counters.h"

#include <winternl.h>

#include <algorithm>
#include <vector>

namespace e2e {

// Wine answers GetProcessHandleCount and GetProcessMemoryInfo for another process with
// zeros; the system's process list carries both, the memory read from the process's Unix
// side (PagefileUsage is its anonymous memory there).
std::optional<ProcessCounters> ReadProcessCounters(DWORD processId) {
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<unsigned char> buffer(256 * 1024);
    NTSTATUS status;
    for (;;) {
        ULONG needed = 0;
        status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                          static_cast<ULONG>(buffer.size()), &needed);
        if (status != kInfoLengthMismatch) break;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
    }
    if (status < 0) return std::nullopt;
    for (std::size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&buffer[offset]);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) {
            return ProcessCounters{entry->HandleCount, entry->VirtualMemoryCounters.PagefileUsage};
        }
        if (entry->NextEntryOffset == 0) return std::nullopt;
        offset += entry->NextEntryOffset;
    }
}

}  // namespace e2e
