// The debug lines of a program, in the order it wrote them, shared between the thread that
// receives them and the test that reads them.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace e2e {

class DebugLines {
public:
    void Add(std::u16string line);

    std::size_t Count() const;
    std::vector<std::u16string> All() const;
    // The lines from index `first` on: what a program wrote after a test noted Count().
    std::vector<std::u16string> Since(std::size_t first) const;

    // Index of the first line equal to `line` at index `first` or later, waiting up to
    // `timeout` for it to arrive.
    std::optional<std::size_t> WaitFor(std::u16string_view line, Milliseconds timeout = kPatience,
                                       std::size_t first = 0) const;
    // True once at least `count` lines have arrived.
    bool WaitForCount(std::size_t count, Milliseconds timeout = kPatience) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_added;
    std::vector<std::u16string> m_lines;
};

}  // namespace e2e
