#include "tests/e2e/driver/debug_lines.h"

namespace e2e {

void DebugLines::Add(std::u16string line) {
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(std::move(line));
    }
    m_added.notify_all();
}

std::size_t DebugLines::Count() const {
    std::lock_guard lock(m_mutex);
    return m_lines.size();
}

std::vector<std::u16string> DebugLines::All() const { return Since(0); }

std::vector<std::u16string> DebugLines::Since(std::size_t first) const {
    std::lock_guard lock(m_mutex);
    if (first >= m_lines.size()) return {};
    return {m_lines.begin() + static_cast<std::ptrdiff_t>(first), m_lines.end()};
}

std::optional<std::size_t> DebugLines::WaitFor(std::u16string_view line, Milliseconds timeout,
                                               std::size_t first) const {
    std::unique_lock lock(m_mutex);
    std::size_t next = first;
    const bool found = m_added.wait_for(lock, timeout, [&] {
        for (; next < m_lines.size(); ++next) {
            if (m_lines[next] == line) return true;
        }
        return false;
    });
    return found ? std::optional(next) : std::nullopt;
}

bool DebugLines::WaitForCount(std::size_t count, Milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_added.wait_for(lock, timeout, [&] { return m_lines.size() >= count; });
}

}  // namespace e2e
