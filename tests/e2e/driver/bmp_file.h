// A picture written as a Windows bitmap file (24 bits a pixel, rows bottom-up, no
// compression), which every image tool reads.
#pragma once

#include <filesystem>

#include "tests/e2e/driver/screen_capture.h"

namespace e2e {

bool WriteBmpFile(const Picture& picture, const std::filesystem::path& path);

}  // namespace e2e
