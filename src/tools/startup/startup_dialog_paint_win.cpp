#include "tools/startup/startup_dialog_paint_win.h"

#include "win32/handles.h"
#include "win32/tool_background.h"

bool PaintStartupDialog(HWND dialog)
{
    win32::PaintDc paint(dialog);
    win32::PaintToolBackground(dialog, paint.get());
    return true;
}

HBRUSH StartupControlBrush(HDC dc, HWND /*control*/, UINT message)
{
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN)
        return nullptr;
    SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}
