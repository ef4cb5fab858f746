#include "tests/e2e/driver/screenshot.h"

#include <system_error>

#include "tests/e2e/driver/bmp_file.h"
#include "tests/e2e/driver/program_paths.h"

namespace e2e {

std::filesystem::path ScreenshotFolder() {
    std::filesystem::path folder = ProgramFolder().parent_path() / L"screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::filesystem::path SaveScreenshot(const Picture& picture, std::wstring_view name) {
    std::filesystem::path path = ScreenshotFolder() / name;
    path += L".bmp";
    return WriteBmpFile(picture, path) ? path : std::filesystem::path();
}

std::filesystem::path SaveWindowScreenshot(HWND window, std::wstring_view name) {
    return SaveScreenshot(CaptureWindow(window), name);
}

std::filesystem::path SaveScreenScreenshot(std::wstring_view name) {
    return SaveScreenshot(CaptureScreen(), name);
}

}  // namespace e2e
