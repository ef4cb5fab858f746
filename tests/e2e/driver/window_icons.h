// Another program's window icons, read inside that program by the icon reader
// (icon_reader/), which this loads into it.
#pragma once

#include <windows.h>

#include <optional>

#include "tests/e2e/icon_reader/window_icons.h"

namespace e2e {

// Nothing when the reader could not be loaded into the window's process or did not answer.
std::optional<WindowIcons> ReadWindowIcons(HWND window);

}  // namespace e2e
