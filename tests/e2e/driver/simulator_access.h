// The simulated embedded controller that every program of the Wine prefix shares: a test
// sets status bytes before the program reads them and reads back what the program sent.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "simulated/controller/simulator_state.h"

namespace e2e {

// Loads the Qelt.dll beside the test, which must be the simulator.
SimulatorState& SharedSimulator();

// Every status byte 0 (identified, charging on, nothing worn), an empty journal and the
// normal mode.
void ResetSharedSimulator();
void SetSimulatorMode(SimulatorMode mode);
void SetControllerByte(std::uint8_t address, std::uint8_t value);
std::uint8_t ControllerByte(std::uint8_t address);
void ClearJournal();
// Every call still in the journal, oldest first.
std::vector<SimulatorCall> JournalCalls();

// A call that returned nothing: a command such as 0x59 with its data byte.
struct ControllerCommand {
    std::uint8_t command;
    std::uint8_t data;
    friend bool operator==(const ControllerCommand&, const ControllerCommand&) = default;
};
std::vector<ControllerCommand> JournalCommands();
void PrintTo(const ControllerCommand& command, std::ostream* out);

}  // namespace e2e
