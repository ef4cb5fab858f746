// Access to the simulated controller that the test executables load as Qelt.dll.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/debug_sink.h"
#include "simulated/controller/simulator_state.h"

inline SimulatorState& Simulator() {
    HMODULE qelt = GetModuleHandleW(L"Qelt.dll");
    auto stateOf = reinterpret_cast<QeltSimulatorStateFn>(
        reinterpret_cast<void*>(GetProcAddress(qelt, kSimulatorStateExport)));
    return *stateOf();
}

// Every byte 0, an empty journal and the normal mode.
inline void ResetSimulator() {
    SimulatorState& state = Simulator();
    std::memset(state.nameSpace, 0, sizeof state.nameSpace);
    state.callCount = 0;
    state.mode = SimulatorMode::Normal;
}

class RecordingDebugSink final : public DebugSink {
public:
    void Write(const char16_t* line) override { lines.emplace_back(line); }
    std::vector<std::u16string> lines;
};
