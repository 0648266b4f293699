#include "win32/tool_background.h"

#include "win32/handles.h"
#include "win32/window_look.h"

namespace win32 {

namespace {

void FillRoundRegion(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    UniqueGdi<HRGN> region(CreateRoundRectRgn(left, top, right, bottom, 15, 15));
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FillRgn(dc, region.get(), brush.get());
}

} // namespace

ToolColours ToolColoursFor(Look look)
{
    switch (look) {
    case Look::Dark:
        return {RGB(32, 32, 32), RGB(0, 0, 0), RGB(70, 70, 70), kDarkPanel, kDarkText,
                RGB(110, 170, 255), RGB(220, 140, 255), RGB(255, 150, 150)};
    case Look::HighContrast: {
        const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
        return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE), text, window, text,
                GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HIGHLIGHT)};
    }
    case Look::Light:
        break;
    }
    return {RGB(215, 215, 215), RGB(50, 50, 50), RGB(230, 235, 225), RGB(255, 255, 255), RGB(0, 0, 0),
            RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 100, 100)};
}

void PaintToolBackground(HWND dialog, HDC dc, const ToolColours& colours)
{
    RECT client;
    GetClientRect(dialog, &client);
    const int w = client.right, h = client.bottom;
    UniqueGdi<HBRUSH> field(CreateSolidBrush(colours.field));
    FillRect(dc, &client, field.get());
    FillRoundRegion(dc, 10, 10, w - 6, h - 6, colours.shadow); // right and below
    FillRoundRegion(dc, 7, 7, w - 9, h - 9, colours.rim);
    FillRoundRegion(dc, 8, 8, w - 8, h - 8, colours.panel); // the controls sit on it
}

} // namespace win32
