#include "tests/e2e/driver/settled_screenshot.h"

#include <utility>

#include "tests/e2e/driver/screen_capture.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

std::filesystem::path SaveSettledScreenshot(HWND window, std::wstring_view name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Picture shown = CaptureWindow(window);
    const bool settled = WaitUntil([&] {
        Sleep(100);
        Picture again = CaptureWindow(window);
        const bool same = again.pixels == shown.pixels;
        shown = std::move(again);
        return same;
    });
    return settled ? SaveScreenshot(shown, name) : std::filesystem::path();
}

}  // namespace e2e
