// Kestrum.exe as the tests drive it: how it is started, its battery key, its close request
// and the sheet it opens.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/driver/debuggee.h"
#include "tests/e2e/driver/process_launch.h"
#include "tests/e2e/driver/program_run.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

inline constexpr char16_t kKestrumFrameClass[] = u"Afx:00400000:0";
inline constexpr char16_t kKestrumFrameTitle[] = u"Kestrum";
// The sheet's first line as its window is initialised: one per sheet built.
inline constexpr char16_t kSheetOpenedLine[] = u"RegisterPowerSettingNotification Exist";
inline constexpr wchar_t kKestrumCloseEvent[] = L"KestrumCloseEvent";
// The status page's values that only a battery's readings fill in.
inline constexpr int kBatteryValueIds[] = {IDC_PERCENT_TEXT,    IDC_NAME_TEXT,
                                           IDC_IDENTIFIER_TEXT, IDC_MANUFACTURER_TEXT,
                                           IDC_CHEMISTRY_TEXT,  IDC_HEALTH_TEXT};

LaunchOptions KestrumProgram();

// The frame of a started Kestrum once its message loop answers, so that start-up, the hook
// included, is complete; null when that does not happen in time.
HWND WaitForRunningFrame(const Debuggee& kestrum);

// The notebook's battery key, pressed and released.
bool PressBatteryKey();
// Sets the named close event once; false when no Kestrum holds it.
bool SignalCloseEvent();

// The program's sheet once it is shown with a page, null when none is within `timeout`.
HWND WaitForShownSheet(DWORD processId, Milliseconds timeout = kPatience);

// The developer tool beside the test, run to its end.
ProgramResult RunKestrumctl(std::vector<std::u16string> arguments);

// How many of the program's debug lines so far equal `line`.
std::size_t CountLines(const Debuggee& program, std::u16string_view line);

}  // namespace e2e
