// What another process holds of the system: open handles and private memory, the two counts
// a leak makes grow.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace e2e {

struct ProcessCounters {
    DWORD handles = 0;
    std::uint64_t privateBytes = 0;
};

// Nothing when the process is gone or the system gave no answer.
std::optional<ProcessCounters> ReadProcessCounters(DWORD processId);

}  // namespace e2e
