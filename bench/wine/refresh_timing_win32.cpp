#include "bench/wine/refresh_timing_win32.h"

#include <chrono>
#include <vector>

#include "bench/wine/sample_median.h"
#include "ui/platform_sources_win32.h"

namespace bench {
namespace {

constexpr int kWarmUp = 20;
constexpr int kBatches = 15;
constexpr int kBatchSize = 100;

}  // namespace

std::optional<double> MeasureRealRefresh() {
    PlatformSources platform;
    const BatterySources sources = platform.Battery();
    BatterySnapshot snapshot;
    // The first refreshes load the setup and device libraries and fill the caches.
    for (int n = 0; n < kWarmUp; ++n) {
        if (!RefreshBattery(snapshot, sources)) return std::nullopt;
    }
    std::vector<double> perRefresh;
    for (int batch = 0; batch < kBatches; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < kBatchSize; ++n) {
            if (!RefreshBattery(snapshot, sources)) return std::nullopt;
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        perRefresh.push_back(spent.count() / kBatchSize);
    }
    return Median(perRefresh);
}

}  // namespace bench
