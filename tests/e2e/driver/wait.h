// Waiting for a state that another process reaches in its own time.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

// Long enough for Wine to start a program and show a window on a busy machine; a test that
// waits this long has failed, so it never slows a passing run.
inline constexpr Milliseconds kPatience{10000};

template <typename Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kPatience) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(Milliseconds{10});
    }
}

}  // namespace e2e
