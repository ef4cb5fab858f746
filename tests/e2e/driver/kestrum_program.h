// Kestrum.exe as the tests drive it: how it is started, its battery key, its close request
// and the sheet it opens.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "tests/e2e/driver/debuggee.h"
#include "tests/e2e/driver/process_launch.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

inline constexpr char16_t kKestrumFrameClass[] = u"Afx:00400000:0";
inline constexpr char16_t kKestrumFrameTitle[] = u"Kestrum";
// The sheet's first line as its window is initialised: one per sheet built.
inline constexpr char16_t kSheetOpenedLine[] = u"RegisterPowerSettingNotification Exist";

LaunchOptions KestrumProgram();

// The frame of a started Kestrum once its message loop answers, so that start-up, the hook
// included, is complete; null when that does not happen in time.
HWND WaitForRunningFrame(const Debuggee& kestrum);

// The notebook's battery key, pressed and released.
bool PressBatteryKey();
// Sets the named close event once; false when no Kestrum holds it.
bool SignalCloseEvent();

// The program's sheet once it is shown, null when none is shown within `timeout`.
HWND WaitForShownSheet(DWORD processId, Milliseconds timeout = kPatience);

// How many of the program's debug lines so far equal `line`.
std::size_t CountLines(const Debuggee& program, std::u16string_view line);

}  // namespace e2e
