#include "controls/busy_progress_draw_win.h"

#include <algorithm>

#include "controls/control_window_win.h"

namespace controls {

void DrawBackground(HDC dc, const RECT& area, Colour background, PaintTools& tools)
{
    tools.Fill(dc, area, background);
}

void DrawSegment(HDC dc, const RECT& segment)
{
    Rectangle(dc, segment.left, segment.top, segment.right, segment.bottom);
}

void DrawActiveSegment(HDC dc, const RECT& segment, const BusyProgressColours& colours, PaintTools& tools)
{
    win32::SelectObjectScope usePen(dc, tools.Pen(colours.highlightBorder));
    win32::SelectObjectScope useBrush(dc, tools.Brush(colours.highlightFill));
    Rectangle(dc, segment.left, segment.top, segment.right, segment.bottom);
}

void DrawPartialSegment(HDC dc, const RECT& segment, int width, Colour fill, PaintTools& tools)
{
    const RECT inner{segment.left + 1, segment.top + 1, segment.right - 1, segment.bottom - 1};
    const RECT part{inner.left, inner.top, std::min(inner.left + width, inner.right), inner.bottom};
    if (part.right > part.left && part.bottom > part.top)
        tools.Fill(dc, part, fill);
}

void DrawBusyProgress(HDC dc, const BusyProgressDrawInfo& info)
{
    PaintTools ownTools;
    PaintTools& tools = info.tools ? *info.tools : ownTools;
    const RECT area{0, 0, info.width, info.height};
    DrawBackground(dc, area, info.colours.background, tools);
    const auto plan = PlanSegments(info.state);
    if (plan.empty())
        return;

    tools.Fill(dc, area, info.colours.field);
    win32::SelectObjectScope usePen(dc, tools.Pen(info.colours.segmentBorder));
    win32::SelectObjectScope useBrush(dc, tools.Brush(info.colours.segmentFill));
    const int height = static_cast<int>(info.state.segmentHeight);
    for (const SegmentPaint& segment : plan) {
        const RECT r{segment.left, 0, segment.right, height};
        if (segment.look == SegmentLook::Active)
            DrawActiveSegment(dc, r, info.colours, tools);
        else
            DrawSegment(dc, r);
        if (segment.partialWidth > 0)
            DrawPartialSegment(dc, r, segment.partialWidth, info.colours.highlightFill, tools);
    }
}

} // namespace controls
