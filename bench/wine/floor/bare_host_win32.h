// The part of Kestrum's start-up that the platform requires of any program doing its job: the
// common controls, OLE, the two libraries it imports, a hidden frame, a chaining low-level
// keyboard hook and a thread waiting on the close event. Both bare programs of the benchmark
// stand on it; they are found and closed as Kestrum is (the frame's class and title, the
// "KestrumCloseEvent"), so the bench drives all three alike. Never run beside Kestrum.
#pragma once

#include <windows.h>

namespace bench {

// Called on the user-interface thread for each release of the battery key.
using BatteryKeyHandler = void (*)(HWND frame);

// Starts up and runs the message loop until the close event is set; the exit code.
int RunBareHost(BatteryKeyHandler onBatteryKey);

}  // namespace bench
