// Screenshots kept in the build folder for a person to look at: <build>\screenshots\NAME.bmp,
// which the e2e launcher turns into NAME.png after the test.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

#include "tests/e2e/driver/screen_capture.h"

namespace e2e {

// The folder, beside the bin folder that holds the test; created on first use.
std::filesystem::path ScreenshotFolder();

// The path written, empty when the picture was empty or could not be written.
std::filesystem::path SaveScreenshot(const Picture& picture, std::wstring_view name);
std::filesystem::path SaveWindowScreenshot(HWND window, std::wstring_view name);
std::filesystem::path SaveScreenScreenshot(std::wstring_view name);

}  // namespace e2e
