#include "win32/tool_dialog.h"

#include "win32/handles.h"
#include "win32/tool_background.h"

namespace win32 {

bool ToolDialog::OnPaint()
{
    PaintDc dc(hwnd());
    PaintToolBackground(hwnd(), dc.get());
    return true;
}

// Check boxes ask with WM_CTLCOLORSTATIC too; push buttons keep their own colours.
HBRUSH ToolDialog::OnCtlColor(HDC dc, HWND /*control*/, UINT message)
{
    if (message != WM_CTLCOLORSTATIC)
        return nullptr;
    SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

} // namespace win32
