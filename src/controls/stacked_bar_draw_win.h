#pragma once
// Drawing of the stacked bar: a function of its plan and colours into any DC.
#include <windows.h>

#include <vector>

#include "controls/colour.h"
#include "controls/paint_tools_win.h"
#include "controls/stacked_bar_model.h"

namespace controls {

struct StackedBarDrawInfo {
    const std::vector<StackedSegment>& segments;
    const std::vector<Colour>& partColours; // by part index
    Colour background = 0;                  // where no known part lies
    Colour frame = 0;
    int width = 0, height = 0;   // the drawn rectangle, from (0, 0)
    PaintTools* tools = nullptr; // the control's own; none: made for this drawing only
};

// The segments inside a one-pixel frame: the plan is made for the width inside it.
void DrawStackedBar(HDC dc, const StackedBarDrawInfo& info);

} // namespace controls
