// The record one battery refresh fills, and the codes of the power situation.
#pragma once

#include <cstdint>

// The power situation; selects the status picture and which fields the status page shows.
enum PowerKind : std::int32_t {
    PowerKindUnknown = 0,         // only in a new snapshot
    PowerKindMainsCharging = 1,   // on mains, charging not switched off
    PowerKindMainsChargeOff = 2,  // on mains, charging switched off
    PowerKindMainsNoBattery = 3,  // on mains, no system battery
    PowerKindOnBattery = 4,
};

// Every text is terminated UTF-16 and never longer than its field less one unit. A new
// snapshot is all zeros: percent 0, kind unknown, every text empty.
struct BatterySnapshot {
    std::int32_t percent = 0;  // 0..100, or 255 when the system does not know
    char16_t percentText[15] = {};
    char16_t timeText[20] = {};  // "NULL" when there is no estimate
    char16_t stateText[30] = {};
    std::int32_t powerKind = PowerKindUnknown;
    char16_t deviceName[255] = {};
    char16_t uniqueId[255] = {};
    char16_t manufacturer[255] = {};
    char16_t chemistry[5] = {};  // four bytes widened; the fifth unit stays 0 for ever
    char16_t healthText[255] = {};
};
