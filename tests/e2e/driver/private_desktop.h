// A desktop of the test's own, which Wine draws as a virtual desktop: windows get frames and
// captions (a bare X server has no window manager to draw them), activation and focus are
// Wine's alone, and nothing else on the display can take the keyboard.
#pragma once

#include <string>

namespace e2e {

// Moves the calling thread onto the desktop, shown by an explorer of its own at the given
// size. Call it before the thread has any window or hook; the thread finds, reads, draws and
// types into the windows of this desktop from then on.
bool EnterPrivateDesktop(int width, int height);

// "WinSta0\name" for the programs the driver starts, empty before EnterPrivateDesktop.
std::wstring ChildDesktop();

}  // namespace e2e
