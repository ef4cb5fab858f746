// What the traced twin of Kestrum (kestrum_opening_trace.exe: the product's own objects plus
// in-process observers) notes of one opening, and how the bench reads it: the performance
// counter at the first time each step happens after the bench clears the record, in a named
// shared block. The counter is the system's, so both processes' readings compare directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <iterator>

namespace bench {

inline constexpr wchar_t kOpeningTraceName[] = L"KestrumBenchOpeningTrace";

// In the order an opening passes them.
enum class OpeningStep : int {
    HotKeyMessage,    // the hook's message for the release taken from the queue
    SheetWindow,      // sheet object and page templates built; the sheet's window created
    Subscription,     // "Load RegisterPowerSettingNotification Success" written
    StatusPage,       // the status page's window created and initialised
    RefreshDone,      // the first refresh's readings done: the bar gets its position
    PictureSet,       // the status picture set
    ShowWindow,       // the sheet's WM_SHOWWINDOW arrives
    ForegroundTaken,  // the foreground sequence after it has returned
    Count
};

inline constexpr const char* kOpeningStepNames[] = {
    "hot-key message taken from the queue",
    "sheet built, its window created",
    "power subscription made",
    "status page created",
    "first refresh done",
    "status picture set",
    "window shown",
    "foreground taken",
};
static_assert(std::size(kOpeningStepNames) == static_cast<int>(OpeningStep::Count));

struct OpeningTrace {
    // 0 until the step has happened.
    volatile std::int64_t counterAt[static_cast<int>(OpeningStep::Count)];
};

}  // namespace bench
