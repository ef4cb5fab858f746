#include "bench/wine/thread_cpu_time_win32.h"

#include <tlhelp32.h>

namespace bench {
namespace {

long long Ticks(const FILETIME& time) {
    return static_cast<long long>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                                  time.dwLowDateTime);
}

std::optional<CpuTime> ThreadCpuTime(DWORD threadId) {
    HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId);
    if (thread == nullptr) return std::nullopt;
    FILETIME created, ended, kernel, user;
    const BOOL read = GetThreadTimes(thread, &created, &ended, &kernel, &user);
    CloseHandle(thread);
    if (!read) return std::nullopt;
    return CpuTime{Ticks(kernel) + Ticks(user)};
}

}  // namespace

// Wine answers GetProcessTimes for another process with zeros, but a thread's times it reads
// from the thread's /proc/<pid>/task/<tid>/stat, so the sum over the threads is the Unix
// side's own count, in the kernel's clock ticks.
std::optional<CpuTime> ReadProcessCpuTime(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<CpuTime> total;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const std::optional<CpuTime> thread = ThreadCpuTime(entry.th32ThreadID);
        if (!thread) {
            total.reset();
            break;
        }
        total = total.value_or(CpuTime{}) + *thread;
    }
    CloseHandle(snapshot);
    return total;
}

}  // namespace bench
