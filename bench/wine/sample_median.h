// The middle of a set of timings: one slow outlier from a busy machine moves it little.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

namespace bench {

// Of an even count, the mean of the two middle samples; nothing for no samples.
inline std::optional<double> Median(std::vector<double> samples) {
    if (samples.empty()) return std::nullopt;
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    if (samples.size() % 2 != 0) return *middle;
    const double below = *std::max_element(samples.begin(), middle);
    return (below + *middle) / 2;
}

}  // namespace bench
