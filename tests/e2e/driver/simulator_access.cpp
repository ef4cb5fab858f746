#include "tests/e2e/driver/simulator_access.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tests/win/simulator.h"

namespace e2e {

SimulatorState& SharedSimulator() {
    static const bool loaded = [] {
        HMODULE qelt = LoadLibraryW(L"Qelt.dll");
        return qelt != nullptr && GetProcAddress(qelt, kSimulatorStateExport) != nullptr;
    }();
    if (!loaded) {
        std::fputs("the Qelt.dll beside the test is not the simulator\n", stderr);
        std::abort();
    }
    return Simulator();
}

void ResetSharedSimulator() {
    SharedSimulator();
    ResetSimulator();
}

void SetSimulatorMode(SimulatorMode mode) { SharedSimulator().mode = mode; }

void SetControllerByte(std::uint8_t address, std::uint8_t value) {
    SharedSimulator().nameSpace[address] = value;
}

std::uint8_t ControllerByte(std::uint8_t address) { return SharedSimulator().nameSpace[address]; }

void ClearJournal() { SharedSimulator().callCount = 0; }

std::vector<SimulatorCall> JournalCalls() {
    const SimulatorState& state = SharedSimulator();
    const auto count = static_cast<std::uint32_t>(state.callCount);
    const std::uint32_t first = count > kSimulatorJournalSize ? count - kSimulatorJournalSize : 0;
    std::vector<SimulatorCall> calls;
    for (std::uint32_t n = first; n < count; ++n) {
        calls.push_back(state.journal[n % kSimulatorJournalSize]);
    }
    return calls;
}

std::vector<ControllerCommand> JournalCommands() {
    std::vector<ControllerCommand> commands;
    for (const SimulatorCall& call : JournalCalls()) {
        if (call.outputCount == 0) commands.push_back({call.command, call.input});
    }
    return commands;
}

void PrintTo(const ControllerCommand& command, std::ostream* out) {
    char text[24];
    std::snprintf(text, sizeof text, "{0x%02X, 0x%02X}", command.command, command.data);
    *out << text;
}

}  // namespace e2e
