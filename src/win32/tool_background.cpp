#include "win32/tool_background.h"

#include "win32/handles.h"

namespace win32 {

namespace {

void FillRoundRegion(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    UniqueGdi<HRGN> region(CreateRoundRectRgn(left, top, right, bottom, 15, 15));
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FillRgn(dc, region.get(), brush.get());
}

} // namespace

void PaintToolBackground(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    const int w = client.right, h = client.bottom;
    UniqueGdi<HBRUSH> field(CreateSolidBrush(kToolFieldColour));
    FillRect(dc, &client, field.get());
    FillRoundRegion(dc, 10, 10, w - 6, h - 6, RGB(50, 50, 50));   // shadow, right and below
    FillRoundRegion(dc, 7, 7, w - 9, h - 9, RGB(230, 235, 225));  // rim
    FillRoundRegion(dc, 8, 8, w - 8, h - 8, RGB(255, 255, 255));  // the panel the controls sit on
}

} // namespace win32
