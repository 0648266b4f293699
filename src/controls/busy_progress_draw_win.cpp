#include "controls/busy_progress_draw_win.h"

#include <algorithm>

#include "controls/control_window_win.h"

namespace controls {

void DrawBackground(HDC dc, const RECT& area, Colour background)
{
    FillSolid(dc, area, background);
}

void DrawSegment(HDC dc, const RECT& segment)
{
    Rectangle(dc, segment.left, segment.top, segment.right, segment.bottom);
}

void DrawActiveSegment(HDC dc, const RECT& segment, const BusyProgressColours& colours)
{
    win32::UniqueGdi<HPEN> pen(CreatePen(PS_SOLID, 1, ToColorRef(colours.highlightBorder)));
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(ToColorRef(colours.highlightFill)));
    win32::SelectObjectScope usePen(dc, pen.get());
    win32::SelectObjectScope useBrush(dc, brush.get());
    Rectangle(dc, segment.left, segment.top, segment.right, segment.bottom);
}

void DrawPartialSegment(HDC dc, const RECT& segment, int width, Colour fill)
{
    const RECT inner{segment.left + 1, segment.top + 1, segment.right - 1, segment.bottom - 1};
    const RECT part{inner.left, inner.top, std::min(inner.left + width, inner.right), inner.bottom};
    if (part.right > part.left && part.bottom > part.top)
        FillSolid(dc, part, fill);
}

void DrawBusyProgress(HDC dc, const BusyProgressDrawInfo& info)
{
    const RECT area{0, 0, info.width, info.height};
    DrawBackground(dc, area, info.colours.background);
    const auto plan = PlanSegments(info.state);
    if (plan.empty())
        return;

    FillSolid(dc, area, kSegmentFieldColour);
    win32::UniqueGdi<HPEN> pen(CreatePen(PS_SOLID, 1, ToColorRef(info.colours.segmentBorder)));
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(ToColorRef(info.colours.segmentFill)));
    win32::SelectObjectScope usePen(dc, pen.get());
    win32::SelectObjectScope useBrush(dc, brush.get());
    const int height = static_cast<int>(info.state.segmentHeight);
    for (const SegmentPaint& segment : plan) {
        const RECT r{segment.left, 0, segment.right, height};
        if (segment.look == SegmentLook::Active)
            DrawActiveSegment(dc, r, info.colours);
        else
            DrawSegment(dc, r);
        if (segment.partialWidth > 0)
            DrawPartialSegment(dc, r, segment.partialWidth, info.colours.highlightFill);
    }
}

} // namespace controls
