// The rows of the benchmark table that only Windows can measure, all in one run under Wine:
//
//   kestrum_wine_bench
//
// prints one line per measured row, "hook<TAB>VALUE<TAB>UNIT<TAB>HOW MEASURED", the hook
// named as in bench/hooks/. A row that could not be measured is left out and its reason goes
// to standard error; the exit code is then 1.
#include <windows.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/wine/key_event_timing_win32.h"
#include "bench/wine/refresh_timing_win32.h"
#include "bench/wine/sample_median.h"
#include "bench/wine/thread_cpu_time_win32.h"
#include "bench/wine/trace/opening_trace.h"
#include "tests/e2e/driver/e2e_driver.h"
#include "tests/e2e/driver/private_desktop.h"

namespace {

using Clock = std::chrono::steady_clock;
using MillisecondsF = std::chrono::duration<double, std::milli>;

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;
constexpr auto kIdlePeriod = std::chrono::seconds(30);
constexpr int kSheetCycles = 50;
// The clock ticks of the Unix kernel (USER_HZ), the grain of every thread time Wine reports.
constexpr bench::CpuTime kClockTick = std::chrono::milliseconds(10);

const char* const kBuildName =
    sizeof(void*) == 8 ? "Wine, 64-bit twin (32-bit Wine cannot run here)" : "Wine, win32 build";

bool g_allMeasured = true;

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

void PrintRow(const char* hook, const std::string& value, const char* unit,
              const std::string& how) {
    std::printf("%s\t%s\t%s\t%s; %s\n", hook, value.c_str(), unit, how.c_str(), kBuildName);
    std::fflush(stdout);
}

void Missing(const char* hook, const char* reason) {
    std::fprintf(stderr, "kestrum_wine_bench: %s not measured: %s\n", hook, reason);
    g_allMeasured = false;
}

void RefreshRow() {
    const std::optional<double> perRefresh = bench::MeasureRealRefresh();
    if (!perRefresh) return Missing("refresh_real_readings", "the power status was unreadable");
    PrintRow("refresh_real_readings", Fixed(*perRefresh, 1), "us",
             "RefreshBattery over the Win32 sources, the development battery driver and the "
             "simulator Qelt.dll, median of 15 batches of 100 (fake supply on battery at 50 %)");
}

std::optional<double> KeyEventCost(bench::KeyEventTarget& target, const char* hook) {
    const std::optional<double> perEvent = target.MeasurePerEvent();
    if (!perEvent) Missing(hook, "injected key events did not all arrive");
    return perEvent;
}

void KeyEventRow(const char* hook, std::optional<double> perEvent, const char* situation) {
    if (!perEvent) return;
    PrintRow(hook, Fixed(*perEvent, 1), "us",
             std::string("2000 F13-F24 events in one SendInput until all reached a window of the "
                         "bench, median of 7 rounds, ") +
                 situation);
}

std::optional<std::uint64_t> PrivateKib(DWORD processId) {
    const std::optional<e2e::ProcessCounters> counters = e2e::ReadProcessCounters(processId);
    if (!counters || counters->privateBytes == 0) return std::nullopt;
    return counters->privateBytes / 1024;
}

void IdleCpuRow(DWORD processId) {
    const char* hook = "idle_cpu_ticks_30s";
    const std::optional<bench::CpuTime> before = bench::ReadProcessCpuTime(processId);
    std::this_thread::sleep_for(kIdlePeriod);
    const std::optional<bench::CpuTime> after = bench::ReadProcessCpuTime(processId);
    if (!before || !after) return Missing(hook, "the thread times could not be read");
    const bench::CpuTime used = *after - *before;
    PrintRow(hook, std::to_string(used / kClockTick), "ticks of 10 ms",
             "kernel+user time of Kestrum's threads (GetThreadTimes; Wine reads /proc/<pid>/task/"
             "*/stat) over 30 s with no input, right after start");
}

// The sheet is visible when its window and every ancestor have WS_VISIBLE; polled every
// millisecond, which is the grain of the reading.
std::optional<HWND> WaitForVisibleSheet(DWORD processId) {
    const auto deadline = Clock::now() + e2e::kPatience;
    while (Clock::now() < deadline) {
        const std::vector<HWND> sheets = e2e::TopLevelWindows({u"#32770", std::nullopt, processId});
        if (!sheets.empty() && e2e::IsShown(sheets.front())) return sheets.front();
        Sleep(1);
    }
    return std::nullopt;
}

// One press of the battery key: milliseconds from the release to the visible sheet, which
// is then closed through its OK button, as a user would.
std::optional<double> OneSheetCycleFromRelease(DWORD processId, HWND frame) {
    const auto released = Clock::now();
    if (!e2e::SendScanCode(7, true, e2e::KeyDirection::Up)) return std::nullopt;
    const std::optional<HWND> sheet = WaitForVisibleSheet(processId);
    if (!sheet) return std::nullopt;
    const MillisecondsF spent = Clock::now() - released;
    if (!e2e::Click(e2e::DescendantById(*sheet, IDOK))) return std::nullopt;
    if (!e2e::WaitUntil([&] { return !IsWindow(*sheet); })) return std::nullopt;
    // The modal run has returned once the frame answers again.
    if (!e2e::SendTo(frame, WM_NULL)) return std::nullopt;
    return spent.count();
}

std::optional<double> OneSheetCycle(DWORD processId, HWND frame) {
    if (!e2e::SendScanCode(7, true, e2e::KeyDirection::Down)) return std::nullopt;
    return OneSheetCycleFromRelease(processId, frame);
}

void SheetRows(DWORD processId, HWND frame, std::uint64_t kibAtStart) {
    std::vector<double> times;
    std::optional<std::uint64_t> kibAfterFirst;
    for (int cycle = 0; cycle < kSheetCycles; ++cycle) {
        const std::optional<double> spent = OneSheetCycle(processId, frame);
        if (!spent) {
            Missing("hotkey_to_visible_sheet", "a press opened no sheet, or it did not close");
            return Missing("private_memory_after_50_cycles", "the cycles did not complete");
        }
        times.push_back(*spent);
        if (cycle == 0) kibAfterFirst = PrivateKib(processId);
    }
    PrintRow("hotkey_to_visible_sheet", Fixed(*bench::Median(times), 1), "ms",
             "extended scan code 7 released with SendInput until the sheet has WS_VISIBLE "
             "(polled each ms), median of 50 (first: " +
                 Fixed(times.front(), 1) + " ms)");
    const std::optional<std::uint64_t> kibAtEnd = PrivateKib(processId);
    if (!kibAtEnd || !kibAfterFirst) {
        return Missing("private_memory_after_50_cycles", "the process list gave no memory");
    }
    PrintRow("private_memory_after_50_cycles", std::to_string(*kibAtEnd), "KiB",
             "as at start, after 50 sheets opened and closed with OK (" +
                 std::to_string(*kibAfterFirst) + " KiB after the first, " +
                 std::to_string(kibAtStart) + " at start)");
}

// A program of the floor comparison, started as Kestrum is and then left to run on its own.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const wchar_t* fileName)
        : m_program({e2e::ProgramBeside(fileName), {}}) {
        m_frame = m_program.Started() ? e2e::WaitForRunningFrame(m_program) : nullptr;
        if (m_frame != nullptr && !m_program.Detach()) m_frame = nullptr;
    }
    bool Running() const { return m_frame != nullptr; }
    DWORD ProcessId() const { return m_program.ProcessId(); }
    HWND Frame() const { return m_frame; }
    bool Close() { return e2e::SignalCloseEvent() && m_program.WaitForExit().has_value(); }

private:
    e2e::Debuggee m_program;
    HWND m_frame = nullptr;
};

constexpr int kFloorRounds = 4;
constexpr int kOpeningsPerRound = 6;
constexpr const wchar_t* kKestrumFile = L"Kestrum.exe";
constexpr const wchar_t* kBareSheetFile = L"bench_bare_sheet.exe";
constexpr const wchar_t* kBareStartupFile = L"bench_bare_startup.exe";

struct FloorSamples {
    std::vector<double> kestrumMs, bareSheetMs, kestrumKib, bareStartupKib;
    std::vector<double> kestrumKeyUs, bareHookKeyUs;
};

// What the program's hook costs each key event of the desktop. The bench's window exists
// only for this: a sheet shown while it has the focus would wait on this thread, which does
// not pump while it polls for the sheet.
bool MeasureKeyEvents(std::vector<double>& perEventUs) {
    bench::KeyEventTarget target;
    const std::optional<double> perEvent = target.Ready() ? target.MeasurePerEvent() : std::nullopt;
    if (!perEvent) return false;
    perEventUs.push_back(*perEvent);
    return true;
}

// One start of one program: its private memory at start, the key event cost with its hook,
// then its openings if it has any.
bool MeasureOnce(const wchar_t* fileName, std::vector<double>* openingsMs,
                 std::vector<double>* kibAtStart, std::vector<double>* keyEventUs) {
    ProgramUnderTest program(fileName);
    if (!program.Running()) return false;
    if (kibAtStart != nullptr) {
        const std::optional<std::uint64_t> kib = PrivateKib(program.ProcessId());
        if (!kib) return false;
        kibAtStart->push_back(static_cast<double>(*kib));
    }
    if (keyEventUs != nullptr && !MeasureKeyEvents(*keyEventUs)) return false;
    for (int n = 0; openingsMs != nullptr && n < kOpeningsPerRound; ++n) {
        const std::optional<double> spent = OneSheetCycle(program.ProcessId(), program.Frame());
        if (!spent) return false;
        openingsMs->push_back(*spent);
    }
    return program.Close();
}

void FloorRows() {
    FloorSamples samples;
    for (int round = 0; round < kFloorRounds; ++round) {
        // The order turns each round, so that a slow stretch of the machine falls on each.
        const bool kestrumFirst = round % 2 == 0;
        const auto kestrum = [&] {
            return MeasureOnce(kKestrumFile, &samples.kestrumMs, &samples.kestrumKib,
                               &samples.kestrumKeyUs);
        };
        const auto bareSheet = [&] {
            return MeasureOnce(kBareSheetFile, &samples.bareSheetMs, nullptr,
                               &samples.bareHookKeyUs);
        };
        const auto bareStartup = [&] {
            return MeasureOnce(kBareStartupFile, nullptr, &samples.bareStartupKib, nullptr);
        };
        const bool measured = kestrumFirst ? kestrum() && bareSheet() && bareStartup()
                                           : bareStartup() && bareSheet() && kestrum();
        if (!measured) return Missing("the floor comparison", "a program did not run through");
    }
    const double kestrumMs = *bench::Median(samples.kestrumMs);
    const double bareMs = *bench::Median(samples.bareSheetMs);
    const std::string openings = std::to_string(kFloorRounds * kOpeningsPerRound);
    const std::string interleaved =
        " in " + std::to_string(kFloorRounds) + " rounds, the programs started in turn";
    PrintRow("bare_sheet_to_visible_sheet", Fixed(bareMs, 1), "ms",
             "as Kestrum's row, for bench_bare_sheet (a), median of " + openings + interleaved);
    PrintRow("open_latency_ratio", Fixed(kestrumMs / bareMs, 2), "x",
             "median of " + openings + " Kestrum openings (" + Fixed(kestrumMs, 1) +
                 " ms) over the bare sheet's (a)" + interleaved);
    const double kestrumKib = *bench::Median(samples.kestrumKib);
    const double bareKib = *bench::Median(samples.bareStartupKib);
    PrintRow("bare_startup_private_memory", Fixed(bareKib, 0), "KiB",
             "as Kestrum's row, for bench_bare_startup (b), median of " +
                 std::to_string(kFloorRounds) + interleaved);
    PrintRow("private_memory_over_floor", Fixed(kestrumKib - bareKib, 0), "KiB",
             "Kestrum at start (median " + Fixed(kestrumKib, 0) +
                 " KiB) less the bare start-up (b)" + interleaved);
    const double kestrumKeyUs = *bench::Median(samples.kestrumKeyUs);
    const double bareHookKeyUs = *bench::Median(samples.bareHookKeyUs);
    const std::string runs = std::to_string(kFloorRounds);
    PrintRow("key_event_with_bare_hook", Fixed(bareHookKeyUs, 1), "us",
             "as Kestrum's row, with bench_bare_sheet (a) running, whose hook only posts and "
             "chains; median of " +
                 runs + " runs of 7 rounds" + interleaved);
    PrintRow("key_event_hook_ratio", Fixed(kestrumKeyUs / bareHookKeyUs, 2), "x",
             "key event cost with Kestrum running (median of " + runs + " runs, " +
                 Fixed(kestrumKeyUs, 1) + " us) over the same with the bare hook of (a)" +
                 interleaved);
}

bench::OpeningTrace* MapOpeningTrace() {
    HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(bench::OpeningTrace), bench::kOpeningTraceName);
    if (block == nullptr) return nullptr;
    return static_cast<bench::OpeningTrace*>(
        MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(bench::OpeningTrace)));
}

// The traced twin's openings: milliseconds from the release to each step, median per step.
void BreakdownRows() {
    bench::OpeningTrace* trace = MapOpeningTrace();
    ProgramUnderTest twin(L"kestrum_opening_trace.exe");
    if (trace == nullptr || !twin.Running()) {
        return Missing("opening_breakdown", "the traced twin did not start");
    }
    constexpr int kSteps = static_cast<int>(bench::OpeningStep::Count);
    std::array<std::vector<double>, kSteps> stepMs;
    std::vector<double> visibleMs;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double countsPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    for (int n = 0; n < kFloorRounds * kOpeningsPerRound; ++n) {
        if (!e2e::SendScanCode(7, true, e2e::KeyDirection::Down)) break;
        for (auto& at : trace->counterAt) at = 0;
        LARGE_INTEGER released;
        QueryPerformanceCounter(&released);
        const std::optional<double> spent =
            OneSheetCycleFromRelease(twin.ProcessId(), twin.Frame());
        if (!spent) return Missing("opening_breakdown", "a press opened no sheet");
        visibleMs.push_back(*spent);
        for (int step = 0; step < kSteps; ++step) {
            const std::int64_t at = trace->counterAt[step];
            if (at != 0)
                stepMs[step].push_back(static_cast<double>(at - released.QuadPart) / countsPerMs);
        }
    }
    twin.Close();
    std::string steps;
    for (int step = 0; step < kSteps; ++step) {
        const std::optional<double> median = bench::Median(stepMs[step]);
        steps += std::string(step == 0 ? "" : ", ") + bench::kOpeningStepNames[step] + " " +
                 (median ? Fixed(*median, 1) : std::string("never"));
    }
    PrintRow("opening_breakdown", Fixed(*bench::Median(visibleMs), 1), "ms",
             "sheet visible to the bench; before it, ms from the release, median of " +
                 std::to_string(visibleMs.size()) + " openings of the traced twin: " + steps);
}

void KestrumRows(std::unique_ptr<bench::KeyEventTarget> target, std::optional<double> withoutHook) {
    e2e::Debuggee kestrum(e2e::KestrumProgram());
    const HWND frame = kestrum.Started()
                           ? e2e::WaitForTopLevel({e2e::kKestrumFrameClass, e2e::kKestrumFrameTitle,
                                                   kestrum.ProcessId()})
                           : nullptr;
    // Answered only from the message loop, so start-up, the hook included, is complete. Then
    // Kestrum runs on without a debugger, as it does for a user: each debug line would
    // otherwise stop it until this program had taken the line.
    if (frame == nullptr || !e2e::SendTo(frame, WM_NULL) || !kestrum.Detach()) {
        KeyEventRow("key_event_without_hook", withoutHook, "no Kestrum running");
        return Missing("every Kestrum row", "Kestrum did not start");
    }
    const DWORD processId = kestrum.ProcessId();
    const std::optional<std::uint64_t> kibAtStart = PrivateKib(processId);

    IdleCpuRow(processId);
    const std::optional<double> withHook = KeyEventCost(*target, "key_event_with_hook");
    // A shown sheet activates itself and waits for the window it takes the activation from;
    // that window's thread does not pump while it polls for the sheet.
    target.reset();
    KeyEventRow("key_event_without_hook", withoutHook, "no Kestrum running");
    KeyEventRow("key_event_with_hook", withHook, "Kestrum running, its low-level hook installed");

    if (kibAtStart) {
        PrintRow("private_memory_at_start", std::to_string(*kibAtStart), "KiB",
                 "Kestrum's private memory once its message loop answers, from the system "
                 "process list (Wine: the process's anonymous memory)");
        SheetRows(processId, frame, *kibAtStart);
    } else {
        Missing("private_memory_at_start", "the process list gave no memory");
    }

    if (!e2e::SignalCloseEvent() || !kestrum.WaitForExit()) {
        std::fputs("kestrum_wine_bench: Kestrum did not close on its close event\n", stderr);
        g_allMeasured = false;
    }
}

}  // namespace

int main() {
    if (!e2e::EnterPrivateDesktop(kDesktopWidth, kDesktopHeight)) {
        std::fputs("kestrum_wine_bench: could not set up the private desktop\n", stderr);
        return 1;
    }
    if (e2e::FakePowerSupplyPresent()) e2e::SetOnBattery(7530, 50);
    e2e::ResetSharedSimulator();
    RefreshRow();
    e2e::ResetSharedSimulator();

    auto target = std::make_unique<bench::KeyEventTarget>();
    if (!target->Ready()) {
        std::fputs("kestrum_wine_bench: the key event window got no focus\n", stderr);
        g_allMeasured = false;
    }
    const std::optional<double> withoutHook = KeyEventCost(*target, "key_event_without_hook");
    KestrumRows(std::move(target), withoutHook);
    FloorRows();
    BreakdownRows();
    return g_allMeasured ? 0 : 1;
}
