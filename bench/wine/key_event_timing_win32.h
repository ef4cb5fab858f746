// What a key event costs the whole desktop: keys injected into the system's input stream, as
// from a keyboard, and timed until a window of this program has received every one.
#pragma once

#include <windows.h>

#include <optional>

namespace bench {

class KeyEventTarget {
public:
    // A shown window of this thread, made the foreground window with the keyboard focus.
    KeyEventTarget();
    ~KeyEventTarget();

    KeyEventTarget(const KeyEventTarget&) = delete;
    KeyEventTarget& operator=(const KeyEventTarget&) = delete;

    bool Ready() const { return m_window != nullptr; }
    // Microseconds an event, the median over rounds; nothing when events went missing.
    std::optional<double> MeasurePerEvent();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool TakeFocus();
    std::optional<double> TimeOneRound();

    HWND m_window = nullptr;
    long m_received = 0;
};

}  // namespace bench
