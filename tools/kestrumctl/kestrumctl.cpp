// Developer tool: one battery refresh printed field by field, the simulated embedded
// controller's status bytes and call journal, the battery hot-key and the close request.
//
//   kestrumctl snapshot
//   kestrumctl ec get ADDR | ec set ADDR VALUE | ec journal | ec clear
//   kestrumctl ec mode [normal | fail | ff]
//   kestrumctl press | close
//   kestrumctl battery ... | notify   (the simulated battery: see battery_command_win32.h)
#include <windows.h>

#include <string>
#include <string_view>

#include "battery/battery_snapshot.h"
#include "battery/battery_win32.h"
#include "battery/qelt_controller_win32.h"
#include "battery/refresh_battery.h"
#include "common/fixed_text.h"
#include "resources/module_string_blocks_win32.h"
#include "simulated/controller/simulator_state.h"
#include "tools/kestrumctl/battery_command_win32.h"
#include "tools/kestrumctl/command_text.h"
#include "tools/kestrumctl/console_win32.h"

namespace {

const char16_t* PowerKindName(std::int32_t kind) {
    switch (kind) {
        case PowerKindMainsCharging:
            return u"on mains, charging allowed";
        case PowerKindMainsChargeOff:
            return u"on mains, charging off";
        case PowerKindMainsNoBattery:
            return u"on mains, no battery";
        case PowerKindOnBattery:
            return u"on battery";
        default:
            return u"not yet known";
    }
}

void PrintField(std::u16string_view name, std::u16string_view value) {
    std::u16string line(name);
    line.resize(14, u' ');
    line += value;
    PrintLine(line);
}

int Snapshot() {
    Win32PowerStatus power;
    Win32BatteryDevices devices;
    QeltController ec;
    ConsoleDebugSink debug;
    ModuleStringBlocks blocks(GetModuleHandleW(nullptr));
    BlockStringTable strings(blocks);

    BatterySnapshot snapshot;
    if (!RefreshBattery(snapshot, {power, devices, ec, strings, debug})) {
        PrintError(u"the power status could not be read");
        return 1;
    }
    PrintField(u"percent", Decimal(snapshot.percent));
    PrintField(u"percentText", FieldText(snapshot.percentText));
    PrintField(u"timeText", FieldText(snapshot.timeText));
    PrintField(u"stateText", FieldText(snapshot.stateText));
    PrintField(u"powerKind",
               Decimal(snapshot.powerKind) + u" (" + PowerKindName(snapshot.powerKind) + u")");
    PrintField(u"deviceName", FieldText(snapshot.deviceName));
    PrintField(u"uniqueId", FieldText(snapshot.uniqueId));
    PrintField(u"manufacturer", FieldText(snapshot.manufacturer));
    PrintField(u"chemistry", FieldText(snapshot.chemistry));
    PrintField(u"healthText", FieldText(snapshot.healthText));
    return 0;
}

SimulatorState* SimulatorOrNull() {
    HMODULE qelt = GetModuleHandleW(L"Qelt.dll");
    auto stateOf = qelt ? reinterpret_cast<QeltSimulatorStateFn>(
                              reinterpret_cast<void*>(GetProcAddress(qelt, kSimulatorStateExport)))
                        : nullptr;
    return stateOf ? stateOf() : nullptr;
}

bool ParseByte(const wchar_t* text, std::uint8_t& value) {
    std::int64_t parsed = 0;
    if (!ParseNumber(text, parsed) || parsed < 0 || parsed > 0xFF) return false;
    value = static_cast<std::uint8_t>(parsed);
    return true;
}

constexpr struct {
    const char16_t* name;
    SimulatorMode mode;
} kModeNames[] = {{u"normal", SimulatorMode::Normal},
                  {u"fail", SimulatorMode::FailEveryCall},
                  {u"ff", SimulatorMode::AnswerFF}};

int Usage() {
    PrintError(
        u"usage: kestrumctl snapshot\n"
        u"       kestrumctl ec get ADDR | ec set ADDR VALUE | ec journal | ec clear\n"
        u"       kestrumctl ec mode [normal | fail | ff]\n"
        u"       kestrumctl press | close\n"
        u"       kestrumctl battery ... (kestrumctl battery help) | notify");
    return 2;
}

int Controller(int argc, wchar_t** argv) {
    // The maker's library is linked at start-up, so the process runs only where a Qelt.dll
    // is present; the journal and the name space exist only in the simulator.
    SimulatorState* state = SimulatorOrNull();
    if (state == nullptr) {
        PrintError(u"the Qelt.dll in use is not the simulator");
        return 1;
    }
    const std::wstring verb = argc > 2 ? argv[2] : L"";
    std::uint8_t address = 0, value = 0;
    if (verb == L"get" && argc == 4 && ParseByte(argv[3], address)) {
        PrintLine(Hex(state->nameSpace[address]));
        return 0;
    }
    if (verb == L"set" && argc == 5 && ParseByte(argv[3], address) && ParseByte(argv[4], value)) {
        state->nameSpace[address] = value;
        return 0;
    }
    if (verb == L"journal" && argc == 3) {
        const std::uint32_t count = static_cast<std::uint32_t>(state->callCount);
        const std::uint32_t first =
            count > kSimulatorJournalSize ? count - kSimulatorJournalSize : 0;
        for (std::uint32_t n = first; n < count; ++n) {
            const SimulatorCall& call = state->journal[n % kSimulatorJournalSize];
            std::u16string line =
                Decimal(n) + u" command " + Hex(call.command) + u" input " + Hex(call.input);
            if (call.outputCount != 0) line += u" output " + Hex(call.output);
            PrintLine(line);
        }
        return 0;
    }
    if (verb == L"mode" && argc == 3) {
        for (const auto& known : kModeNames) {
            if (known.mode == state->mode) {
                PrintLine(known.name);
                return 0;
            }
        }
        PrintLine(Hex(static_cast<std::uint8_t>(state->mode)));
        return 0;
    }
    if (verb == L"mode" && argc == 4) {
        static_assert(sizeof(wchar_t) == sizeof(char16_t));
        const std::u16string_view wanted(reinterpret_cast<const char16_t*>(argv[3]));
        for (const auto& known : kModeNames) {
            if (wanted == known.name) {
                state->mode = known.mode;
                return 0;
            }
        }
    }
    if (verb == L"clear" && argc == 3) {
        state->callCount = 0;
        return 0;
    }
    return Usage();
}

// The notebook's battery key as the keyboard sends it: extended scan code 7, down then up.
int Press() {
    INPUT events[2]{};
    for (INPUT& event : events) {
        event.type = INPUT_KEYBOARD;
        event.ki.wScan = 7;
        event.ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY;
    }
    events[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    if (SendInput(2, events, sizeof(INPUT)) != 2) {
        PrintError(u"the key events were not sent");
        return 1;
    }
    return 0;
}

// Only opens the event: without a running Kestrum there is nobody to close.
int Close() {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"KestrumCloseEvent");
    if (event == nullptr) {
        PrintError(u"Kestrum is not running (no close event)");
        return 1;
    }
    const BOOL set = SetEvent(event);
    CloseHandle(event);
    if (!set) {
        PrintError(u"the close event could not be set");
        return 1;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"snapshot" && argc == 2) return Snapshot();
    if (command == L"ec") return Controller(argc, argv);
    if (command == L"press" && argc == 2) return Press();
    if (command == L"close" && argc == 2) return Close();
    if (command == L"battery") return BatteryCommand(argc, argv);
    if (command == L"notify" && argc == 2) return NotifyPowerChange();
    return Usage();
}
