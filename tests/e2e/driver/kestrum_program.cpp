#include "tests/e2e/driver/kestrum_program.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/driver/keyboard_input.h"
#include "tests/e2e/driver/program_paths.h"
#include "tests/e2e/driver/property_sheet.h"
#include "tests/e2e/driver/window_messages.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

LaunchOptions KestrumProgram() { return {ProgramBeside(L"Kestrum.exe"), {}}; }

HWND WaitForRunningFrame(const Debuggee& kestrum) {
    HWND frame = WaitForTopLevel({kKestrumFrameClass, kKestrumFrameTitle, kestrum.ProcessId()});
    // A sent message is answered only from the message loop.
    return frame != nullptr && SendTo(frame, WM_NULL) ? frame : nullptr;
}

bool PressBatteryKey() {
    return SendScanCode(7, true, KeyDirection::Down) && SendScanCode(7, true, KeyDirection::Up);
}

bool SignalCloseEvent() {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, kKestrumCloseEvent);
    if (event == nullptr) return false;
    const BOOL set = SetEvent(event);
    CloseHandle(event);
    return set != FALSE;
}

HWND WaitForShownSheet(DWORD processId, Milliseconds timeout) {
    HWND sheet = nullptr;
    WaitUntil(
        [&] {
            const auto sheets = TopLevelWindows({u"#32770", std::nullopt, processId});
            const bool ready = !sheets.empty() && IsShown(sheets.front()) &&
                               SheetCurrentPage(sheets.front()) != nullptr;
            sheet = ready ? sheets.front() : nullptr;
            return sheet != nullptr;
        },
        timeout);
    return sheet;
}

ProgramResult RunKestrumctl(std::vector<std::u16string> arguments) {
    return RunProgram({ProgramBeside(L"kestrumctl.exe"), std::move(arguments)});
}

std::size_t CountLines(const Debuggee& program, std::u16string_view line) {
    const std::vector<std::u16string> lines = program.Lines().All();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace e2e
