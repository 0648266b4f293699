#include "controls/stacked_bar_draw_win.h"

namespace controls {

void DrawStackedBar(HDC dc, const StackedBarDrawInfo& info)
{
    PaintTools ownTools;
    PaintTools& tools = info.tools ? *info.tools : ownTools;
    tools.Fill(dc, RECT{0, 0, info.width, info.height}, info.frame);
    tools.Fill(dc, RECT{1, 1, info.width - 1, info.height - 1}, info.background);
    for (const StackedSegment& segment : info.segments)
        if (segment.part < info.partColours.size())
            tools.Fill(dc, RECT{1 + segment.left, 1, 1 + segment.right, info.height - 1}, info.partColours[segment.part]);
}

} // namespace controls
