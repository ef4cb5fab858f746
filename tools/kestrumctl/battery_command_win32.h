// The developer tool's commands for the simulated battery: its state, ready-made scenes with
// the matching power situation, what its driver answers, and putting the driver in service.
#pragma once

int BatteryCommand(int argc, wchar_t** argv);
// The notification the system sends every top-level window when the power situation changes.
int NotifyPowerChange();
