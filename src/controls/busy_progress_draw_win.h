#pragma once
// Drawing of the segmented gauge: a function of its state and colours into any DC.
#include <windows.h>

#include "controls/busy_progress_model.h"
#include "controls/colour.h"
#include "controls/paint_tools_win.h"

namespace controls {

inline constexpr Colour kSegmentFieldColour = Rgb(0, 0, 90);

struct BusyProgressColours {
    Colour background = 0;
    Colour segmentFill = Rgb(160, 189, 220);
    Colour segmentBorder = Rgb(50, 90, 135);
    Colour highlightFill = Rgb(190, 218, 255);
    Colour highlightBorder = Rgb(50, 90, 135);
    Colour field = kSegmentFieldColour; // between the segments
};

struct BusyProgressDrawInfo {
    const BusyProgressState& state;
    const BusyProgressColours& colours;
    int width = 0, height = 0; // the drawn rectangle, from (0, 0)
    PaintTools* tools = nullptr; // the control's own; none: made for this drawing only
};

void DrawBusyProgress(HDC dc, const BusyProgressDrawInfo& info);

// The four drawing operations the picture is made of.
void DrawBackground(HDC dc, const RECT& area, Colour background, PaintTools& tools);
void DrawSegment(HDC dc, const RECT& segment); // with the pen and brush selected in `dc`
void DrawActiveSegment(HDC dc, const RECT& segment, const BusyProgressColours& colours, PaintTools& tools);
void DrawPartialSegment(HDC dc, const RECT& segment, int width, Colour fill, PaintTools& tools);

} // namespace controls
