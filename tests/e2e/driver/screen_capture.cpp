#include "tests/e2e/driver/screen_capture.h"

namespace e2e {

Picture CaptureScreen(const RECT& area) {
    Picture picture;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return picture;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* first = static_cast<const std::uint32_t*>(bits);
            picture.width = width;
            picture.height = height;
            picture.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
            for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

Picture CaptureScreen() {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureScreen(screen);
}

Picture CaptureWindow(HWND window) {
    RECT area = {};
    if (!GetWindowRect(window, &area)) return {};
    return CaptureScreen(area);
}

}  // namespace e2e
