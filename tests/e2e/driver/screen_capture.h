// What the screen shows, read back as pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

struct Picture {
    int width = 0;
    int height = 0;
    // 0x00RRGGBB, row by row from the top.
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The part of this thread's screen inside `area` (screen coordinates); empty on failure.
Picture CaptureScreen(const RECT& area);
// The whole screen.
Picture CaptureScreen();
// What the screen shows where the window is, frame included, and whatever covers it: the
// picture a user sees, rather than what the window would draw of itself.
Picture CaptureWindow(HWND window);

}  // namespace e2e
