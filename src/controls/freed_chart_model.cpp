#include "controls/freed_chart_model.h"

#include <algorithm>

namespace controls {

FreedChartPlan PlanFreedChart(const std::vector<FreedPoint>& points, int width, int height, int days)
{
    FreedChartPlan plan;
    if (width < 3 || height < 2 || days < 1)
        return plan;
    const int64_t span = int64_t{days} * 86400;
    const int64_t right = width - 1;
    const auto x = [&](int64_t secondsAgo) { return static_cast<int>(right - secondsAgo * right / span); };
    for (int day = 1; day < days; ++day)
        plan.dayLines.push_back(x(int64_t{day} * 86400));
    const auto shown = [&](const FreedPoint& point) { return point.secondsAgo >= 0 && point.secondsAgo <= span; };
    for (const FreedPoint& point : points)
        if (shown(point))
            plan.topMB = std::max(plan.topMB, point.freedMB);
    if (plan.topMB <= 0)
        return plan;
    for (const FreedPoint& point : points) {
        if (!shown(point) || point.freedMB <= 0)
            continue;
        const int centre = x(point.secondsAgo);
        const int high = std::max(1, static_cast<int>(point.freedMB * (height - 1) / plan.topMB));
        plan.bars.push_back({std::max(0, centre - 1), height - 1 - high, std::min(width, centre + 2), height - 1});
    }
    return plan;
}

} // namespace controls
