#include "controls/paint_tools_win.h"

#include "controls/control_window_win.h"

namespace controls {

namespace {
// A control paints with a handful of colours; should one keep changing its colours, the oldest
// tool goes (a paint holds at most two selected, and those are among the newest).
constexpr size_t kMostTools = 16;
} // namespace

template <typename Make>
HGDIOBJ PaintTools::Find(std::vector<Tool>& tools, Colour colour, int width, Make make)
{
    for (const Tool& tool : tools)
        if (tool.colour == colour && tool.width == width)
            return tool.object.get();
    win32::UniqueGdi<HGDIOBJ> made(make());
    if (!made)
        return nullptr;
    if (tools.size() >= kMostTools)
        tools.erase(tools.begin());
    tools.push_back(Tool{colour, width, std::move(made)});
    return tools.back().object.get();
}

HBRUSH PaintTools::Brush(Colour colour)
{
    return static_cast<HBRUSH>(Find(brushes_, colour, 0, [colour] { return CreateSolidBrush(ToColorRef(colour)); }));
}

HPEN PaintTools::Pen(Colour colour, int width)
{
    return static_cast<HPEN>(
        Find(pens_, colour, width, [colour, width] { return CreatePen(PS_SOLID, width, ToColorRef(colour)); }));
}

} // namespace controls
