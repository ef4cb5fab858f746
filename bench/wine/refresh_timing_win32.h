// What one battery refresh costs with the product's own sources: the platform's power status
// and battery device, the controller through Qelt.dll, the resource strings, the debugger
// output.
#pragma once

#include <optional>

namespace bench {

// Microseconds a refresh, the median over batches; nothing when a refresh fails.
std::optional<double> MeasureRealRefresh();

}  // namespace bench
