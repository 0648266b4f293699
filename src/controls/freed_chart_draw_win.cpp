#include "controls/freed_chart_draw_win.h"

namespace controls {

void DrawFreedChart(HDC dc, const FreedChartDrawInfo& info)
{
    PaintTools ownTools;
    PaintTools& tools = info.tools ? *info.tools : ownTools;
    tools.Fill(dc, RECT{0, 0, info.width, info.height}, info.colours.background);
    for (int x : info.plan.dayLines)
        tools.Fill(dc, RECT{x, 0, x + 1, info.height - 1}, info.colours.grid);
    tools.Fill(dc, RECT{0, info.height - 1, info.width, info.height}, info.colours.grid);
    for (const FreedBar& bar : info.plan.bars)
        tools.Fill(dc, RECT{bar.left, bar.top, bar.right, bar.bottom}, info.colours.bar);
}

} // namespace controls
