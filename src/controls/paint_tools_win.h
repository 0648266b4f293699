#pragma once
// The brushes and pens one control paints with, made on first use and kept with the control: its
// picture is redrawn twice a second for as long as the program runs.
#include <windows.h>

#include <vector>

#include "controls/colour.h"
#include "win32/handles.h"

namespace controls {

class PaintTools {
public:
    HBRUSH Brush(Colour colour);
    HPEN Pen(Colour colour, int width = 1);
    void Fill(HDC dc, const RECT& rect, Colour colour) { FillRect(dc, &rect, Brush(colour)); }

private:
    struct Tool {
        Colour colour;
        int width;
        win32::UniqueGdi<HGDIOBJ> object;
    };
    template <typename Make>
    HGDIOBJ Find(std::vector<Tool>& tools, Colour colour, int width, Make make);
    std::vector<Tool> brushes_, pens_;
};

} // namespace controls
