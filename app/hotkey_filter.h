// The main frame's pre-filter decision for one message, apart from the window it acts on, so
// that the exact key match can be tested on its own.
#pragma once

#include <cstdint>

// Posted by the keyboard hook to the user-interface thread for every key event of the desktop:
// wParam carries the event's flags, lParam its scan code.
constexpr std::uint32_t WM_APP_HOTKEY = 0x0400 + 1000;

enum class PreFilterStep {
    ConsumeF4,      // F4 with a repeat count of 1, or anything whose parameters look like it
    ConsumeEscape,  // Escape, or anything whose wParam is 27
    PassToBase,     // not the battery key: the frame's own pre-filter decides
    BatteryKey,     // the release of the extended key with scan code 7
};

// The parameters are taken as the message carries them; the first two steps look at them
// whatever the message number is.
PreFilterStep ClassifyPreFilterMessage(std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam);
