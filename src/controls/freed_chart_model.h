#pragma once
// The freed-memory chart's layout: one bar per clean of the last days, newer to the right, as high
// as its share of the most any of them freed, with a line at every 24 hours back from now. Free of
// any window so it is tested natively.
#include <cstdint>
#include <vector>

namespace controls {

struct FreedPoint {
    int64_t secondsAgo = 0; // when the clean began, before now
    int64_t freedMB = 0;
};

struct FreedBar {
    int left = 0, top = 0, right = 0, bottom = 0; // pixels; right and bottom excluded
    bool operator==(const FreedBar&) const = default;
};

struct FreedChartPlan {
    std::vector<int> dayLines; // x of each day's boundary, newest first
    std::vector<FreedBar> bars;
    int64_t topMB = 0; // what the full height stands for; 0 when nothing was freed
};

// Cleans older than `days` or in the future are left out; one that freed nothing, or memory that
// fell, draws no bar; anything freed is at least one pixel high.
FreedChartPlan PlanFreedChart(const std::vector<FreedPoint>& points, int width, int height, int days);

} // namespace controls
