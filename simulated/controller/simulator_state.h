// The simulated controller's state, shared by every process on the machine through one
// named, file-backed section: tests and the developer tool set status bytes in it and read
// back what the program sent.
#pragma once

#include <cstdint>

struct SimulatorCall {
    std::uint8_t command;
    std::uint8_t input;        // the first input byte; 0 when there was none
    std::uint8_t outputCount;  // 0 for commands, 1 for reads
    std::uint8_t output;       // the byte a read returned
};

constexpr std::uint32_t kSimulatorJournalSize = 4096;

// How the simulator answers, for fault runs. Zero, the state of a new file, is the normal
// controller, so a state written before the mode existed still reads as normal.
enum class SimulatorMode : std::uint8_t {
    Normal = 0,
    // Every call returns 0 and writes no output byte, as a controller that does not answer.
    FailEveryCall = 1,
    // Every read returns 0xFF whatever the name space holds, as a floating bus reads.
    AnswerFF = 2,
};

struct SimulatorState {
    std::uint8_t nameSpace[256];
    // Counts every call ever made; the journal keeps the last kSimulatorJournalSize of them,
    // call n at journal[n % kSimulatorJournalSize].
    volatile long callCount;
    SimulatorCall journal[kSimulatorJournalSize];
    // After the journal, so the fields before it keep their places.
    volatile SimulatorMode mode;
};

// Exported by the simulator library only, so a tool can tell it from the maker's library.
using QeltSimulatorStateFn = SimulatorState*(__cdecl*)();
constexpr const char* kSimulatorStateExport = "QeltSimulatorState";
