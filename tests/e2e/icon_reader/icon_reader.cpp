// A library the driver loads into another program to read a window's icons there: Wine carries
// no icon across processes, so it answers WM_GETICON only from inside the window's own.
#include <windows.h>

#include "tests/e2e/icon_reader/window_icons.h"

namespace {

e2e::WindowIcon Ask(HWND window, WPARAM type) {
    e2e::WindowIcon icon;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_GETICON, type, 0, SMTO_NORMAL, 5000, &answer)) return icon;
    icon.handle = reinterpret_cast<HICON>(answer);
    ICONINFO info{};
    if (icon.handle == nullptr || !GetIconInfo(icon.handle, &info)) return icon;
    BITMAP bitmap{};
    if (GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap,
                   &bitmap)) {
        icon.width = bitmap.bmWidth;
    }
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

}  // namespace

// A thread's routine: fills in the icons of the window named in `icons`.
extern "C" __declspec(dllexport) DWORD WINAPI ReadWindowIcons(void* icons) {
    auto& reading = *static_cast<e2e::WindowIcons*>(icons);
    reading.bigIcon = Ask(reading.window, ICON_BIG);
    reading.smallIcon = Ask(reading.window, ICON_SMALL);
    return 0;
}
