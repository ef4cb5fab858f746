// A stand-in for the maker's embedded-controller library on machines without it: a
// 256-byte controller name space and a journal of calls, kept in a named section backed by
// a file in the temporary folder, so that the state outlives every single process.
#include <windows.h>

#include "simulated/controller/simulator_state.h"

namespace {

constexpr wchar_t kSectionName[] = L"KestrumQeltSimulator";
constexpr wchar_t kFileName[] = L"KestrumQeltSimulator.bin";

constexpr unsigned char kReadStatusByte = 0xB0;
constexpr unsigned char kChargeSwitch = 0x59;
constexpr unsigned char kChargingOff = 0xD7;
constexpr unsigned char kChargingOn = 0xD8;
constexpr unsigned char kChargeOffBit = 0x10;
constexpr unsigned char kChargeStatusByte = 0xF2;

SimulatorState* MapState() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD folderLength = GetTempPathW(MAX_PATH, path);
    if (folderLength == 0 || folderLength + sizeof kFileName / sizeof *kFileName > MAX_PATH) {
        return nullptr;
    }
    lstrcpynW(path + folderLength, kFileName, MAX_PATH - folderLength);
    HANDLE file =
        CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    // A new file grows to the section's size filled with zeros: identified, charging on.
    HANDLE section =
        CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, sizeof(SimulatorState), kSectionName);
    CloseHandle(file);
    if (section == nullptr) return nullptr;
    void* view = MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SimulatorState));
    CloseHandle(section);
    return static_cast<SimulatorState*>(view);
}

SimulatorState* State() {
    static SimulatorState* const state = MapState();
    return state;
}

void Record(SimulatorState& state, SimulatorCall call) {
    const long index = InterlockedIncrement(&state.callCount) - 1;
    state.journal[static_cast<unsigned long>(index) % kSimulatorJournalSize] = call;
}

}  // namespace

extern "C" __declspec(dllexport) SimulatorState* __cdecl QeltSimulatorState() { return State(); }

// The maker's signature, mutable input included, so the simulator can stand in for its library.
extern "C" __declspec(dllexport) int __cdecl QeltEvaluate(
    unsigned char command,
    unsigned char* input,  // NOLINT(readability-non-const-parameter)
    int inputCount, unsigned char* output, int outputCount) {
    SimulatorState* state = State();
    if (state == nullptr || input == nullptr || inputCount < 1) return 0;
    SimulatorCall call = {command, input[0], 0, 0};
    const SimulatorMode mode = state->mode;
    int result = 0;
    if (mode == SimulatorMode::FailEveryCall) {
        // Journalled all the same: a test still sees what the program asked for.
    } else if (command == kReadStatusByte && output != nullptr && outputCount >= 1) {
        output[0] = mode == SimulatorMode::AnswerFF ? 0xFF : state->nameSpace[input[0]];
        call.outputCount = 1;
        call.output = output[0];
        result = 1;
    } else if (command == kChargeSwitch && input[0] == kChargingOff) {
        state->nameSpace[kChargeStatusByte] |= kChargeOffBit;
        result = 1;
    } else if (command == kChargeSwitch && input[0] == kChargingOn) {
        state->nameSpace[kChargeStatusByte] &= static_cast<unsigned char>(~kChargeOffBit);
        result = 1;
    }
    Record(*state, call);
    return result;
}
