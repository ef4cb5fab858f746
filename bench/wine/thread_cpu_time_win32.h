// The processor time another process has used so far.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

namespace bench {

using CpuTime = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;

// Kernel and user time of the process's live threads together; nothing when the process is
// gone or a thread gave no answer.
std::optional<CpuTime> ReadProcessCpuTime(DWORD processId);

}  // namespace bench
