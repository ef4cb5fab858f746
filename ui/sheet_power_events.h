// What the meter sheet does with one power broadcast.
#pragma once

#include <cstdint>

class DebugSink;

// Platform event codes the sheet knows.
inline constexpr std::uintptr_t kPowerEventResumeSuspend = 7;
inline constexpr std::uintptr_t kPowerEventStatusChange = 10;
inline constexpr std::uintptr_t kPowerEventSettingChange = 0x8013;

// Writes the event's line and tells whether the status page refreshes. Before the status page
// has a window nothing is written and nothing refreshes; unknown events, suspend queries among
// them, are silent. The caller answers every broadcast with 0.
bool TakePowerEvent(std::uintptr_t event, bool statusPageHasWindow, DebugSink& debug);
