// The traced twin's observers, linked in beside Kestrum's own objects: hooks of the
// user-interface thread and a vectored handler that sees each debug line as it is raised.
// They only note the time; what the program does and writes stays the same.
#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include <cwchar>
#include <string_view>

#include "app/hotkey_filter.h"
#include "bench/wine/trace/opening_trace.h"

namespace {

using bench::OpeningStep;

constexpr std::string_view kSubscribedLine = "Load RegisterPowerSettingNotification Success";
constexpr std::wstring_view kSubscribedLineWide = L"Load RegisterPowerSettingNotification Success";
// How the platform raises a debug line to the process's own handlers: wide where the system
// passes the text as given, narrow otherwise.
constexpr DWORD kDebugLineNarrow = 0x40010006;
constexpr DWORD kDebugLineWide = 0x4001000A;

bench::OpeningTrace* g_trace = nullptr;

void Note(OpeningStep step) {
    volatile std::int64_t& slot = g_trace->counterAt[static_cast<int>(step)];
    if (slot != 0) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    slot = now.QuadPart;
}

bool IsDialog(HWND window) {
    wchar_t name[8];
    return GetClassNameW(window, name, static_cast<int>(std::size(name))) == 6 &&
           std::wcscmp(name, L"#32770") == 0;
}

bool IsChild(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

LRESULT CALLBACK OnMessageTaken(int code, WPARAM removal, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->hwnd == nullptr &&
        ClassifyPreFilterMessage(message->message, message->wParam, message->lParam) ==
            PreFilterStep::BatteryKey) {
        Note(OpeningStep::HotKeyMessage);
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

LRESULT CALLBACK OnWindowCreated(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && IsDialog(window) &&
        (reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->style & WS_CHILD) == 0) {
        Note(OpeningStep::SheetWindow);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnMessageSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        if (sent->message == PBM_SETPOS) Note(OpeningStep::RefreshDone);
        if (sent->message == WM_SHOWWINDOW && sent->wParam && IsDialog(sent->hwnd) &&
            !IsChild(sent->hwnd)) {
            Note(OpeningStep::ShowWindow);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnMessageAnswered(int code, WPARAM wParam, LPARAM lParam) {
    const auto* answered = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        if (answered->message == WM_INITDIALOG && IsChild(answered->hwnd)) {
            Note(OpeningStep::StatusPage);
        }
        if (answered->message == STM_SETIMAGE) Note(OpeningStep::PictureSet);
        if (answered->message == WM_SHOWWINDOW && answered->wParam && IsDialog(answered->hwnd) &&
            !IsChild(answered->hwnd)) {
            Note(OpeningStep::ForegroundTaken);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.NumberParameters >= 2) {
        const std::size_t length = record.ExceptionInformation[0];
        const auto* text = reinterpret_cast<const void*>(record.ExceptionInformation[1]);
        const bool subscribed = record.ExceptionCode == kDebugLineWide
                                    ? std::wstring_view(static_cast<const wchar_t*>(text), length)
                                          .starts_with(kSubscribedLineWide)
                                    : record.ExceptionCode == kDebugLineNarrow &&
                                          std::string_view(static_cast<const char*>(text), length)
                                              .starts_with(kSubscribedLine);
        if (subscribed) Note(OpeningStep::Subscription);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Runs before the program's entry, on the thread that becomes its user-interface thread.
bool InstallObservers() {
    HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(bench::OpeningTrace), bench::kOpeningTraceName);
    if (block == nullptr) return false;
    g_trace = static_cast<bench::OpeningTrace*>(
        MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(bench::OpeningTrace)));
    if (g_trace == nullptr) return false;
    const DWORD thread = GetCurrentThreadId();
    SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, thread);
    SetWindowsHookExW(WH_CBT, OnWindowCreated, nullptr, thread);
    SetWindowsHookExW(WH_CALLWNDPROC, OnMessageSent, nullptr, thread);
    SetWindowsHookExW(WH_CALLWNDPROCRET, OnMessageAnswered, nullptr, thread);
    AddVectoredExceptionHandler(TRUE, OnException);
    return true;
}

const bool g_observing = InstallObservers();

}  // namespace
