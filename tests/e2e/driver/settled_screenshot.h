// A screenshot of another program's window once it has painted all of it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

namespace e2e {

// Asks the window to repaint everything and takes its picture again until two in a row agree:
// another process paints in its own time. Empty when it never settles or cannot be written.
std::filesystem::path SaveSettledScreenshot(HWND window, std::wstring_view name);

}  // namespace e2e
