#include "controls/stacked_bar_model.h"

#include <algorithm>
#include <cmath>

namespace controls {

std::vector<StackedSegment> PlanStackedBar(const std::vector<std::optional<uint64_t>>& parts,
                                           std::optional<uint64_t> whole, int width)
{
    // In floating point: byte counts times pixels can pass 64 bits.
    double known = 0;
    for (const auto& part : parts)
        known += static_cast<double>(part.value_or(0));
    const double scale = std::max(known, static_cast<double>(whole.value_or(0)));
    std::vector<StackedSegment> segments;
    if (scale <= 0 || width <= 0)
        return segments;
    double before = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!parts[i])
            continue;
        const int left = static_cast<int>(std::lround(before * width / scale));
        before += static_cast<double>(*parts[i]);
        const int right = static_cast<int>(std::lround(before * width / scale));
        if (right > left)
            segments.push_back({left, right, i});
    }
    return segments;
}

} // namespace controls
