// One battery refresh: power status, the first battery device and the embedded controller,
// turned into the display texts of a BatterySnapshot.
#pragma once

#include "battery/battery_snapshot.h"

class PowerStatusSource;
class BatteryDeviceAccess;
class EmbeddedController;
class StringTable;
class DebugSink;

struct BatterySources {
    PowerStatusSource& power;
    BatteryDeviceAccess& devices;
    EmbeddedController& ec;
    const StringTable& strings;
    DebugSink& debug;
};

// Fills `snapshot`. Returns false only when the power status cannot be read, and then leaves
// the snapshot untouched; every other failure is a debug line and the refresh goes on.
bool RefreshBattery(BatterySnapshot& snapshot, const BatterySources& sources);
