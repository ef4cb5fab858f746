// A window's icons as its own process sees them, filled in there by the icon reader
// (icon_reader.cpp) in memory the driver hands it (driver/window_icons.h).
#pragma once

#include <windows.h>

namespace e2e {

struct WindowIcon {
    HICON handle = nullptr;  // the window's answer to WM_GETICON
    int width = 0;           // of the live icon behind the handle; 0 when there is none
};

struct WindowIcons {
    HWND window = nullptr;
    WindowIcon bigIcon;    // ICON_BIG
    WindowIcon smallIcon;  // ICON_SMALL
};

}  // namespace e2e
