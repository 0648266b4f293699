#pragma once
// Drawing of the freed-memory chart: a function of its plan and colours into any DC.
#include <windows.h>

#include "controls/colour.h"
#include "controls/freed_chart_model.h"
#include "controls/paint_tools_win.h"

namespace controls {

struct FreedChartColours {
    Colour background = kGraphBackground;
    Colour grid = kGraphGrid; // the day lines and the base line
    Colour bar = Rgb(19, 238, 255);
};

struct FreedChartDrawInfo {
    const FreedChartPlan& plan;
    const FreedChartColours& colours;
    int width = 0, height = 0;   // the drawn rectangle, from (0, 0)
    PaintTools* tools = nullptr; // the control's own; none: made for this drawing only
};

void DrawFreedChart(HDC dc, const FreedChartDrawInfo& info);

} // namespace controls
