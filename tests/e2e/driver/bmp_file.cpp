#include "tests/e2e/driver/bmp_file.h"

#include <windows.h>

#include <fstream>
#include <vector>

namespace e2e {

bool WriteBmpFile(const Picture& picture, const std::filesystem::path& path) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    // Each row is padded to a multiple of four bytes.
    const std::size_t rowBytes =
        (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(picture.height);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixelBytes);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixelBytes);

    std::vector<char> pixels(pixelBytes, 0);
    for (int y = 0; y < picture.height; ++y) {
        char* row = pixels.data() + rowBytes * static_cast<std::size_t>(picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t rgb = picture.At(x, y);
            row[3 * x + 0] = static_cast<char>(rgb & 0xFF);
            row[3 * x + 1] = static_cast<char>(rgb >> 8 & 0xFF);
            row[3 * x + 2] = static_cast<char>(rgb >> 16 & 0xFF);
        }
    }

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace e2e
