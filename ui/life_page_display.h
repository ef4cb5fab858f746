// The life page without its window: its texts, and the one check box that mirrors and sets
// the charge switch. The embedded controller is the only holder of the switch's state.
#pragma once

#include "ui/page_controls.h"

class StringTable;
class EmbeddedController;
class DebugSink;

// Texts from the string table; once per page window.
void InitializeLifePage(const StringTable& strings, PageControls& controls);

// Ticks the check box exactly when the controller reports charging switched off.
void ShowChargeSwitch(EmbeddedController& ec, DebugSink& debug, PageControls& controls);

// The automatic check box has already toggled when its click arrives: one command for the new
// state, none for a state that is neither ticked nor clear.
void ApplyChargeSwitchClick(EmbeddedController& ec, DebugSink& debug, PageControls& controls);
