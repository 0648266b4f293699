#include "win32/tool_dialog.h"

namespace win32 {

bool ToolDialog::OnPaint()
{
    PaintDc dc(hwnd());
    PaintToolBackground(hwnd(), dc.get(), Colours());
    return true;
}

// Check boxes ask with WM_CTLCOLORSTATIC too; push buttons keep their own colours.
HBRUSH ToolDialog::OnCtlColor(HDC dc, HWND /*control*/, UINT message)
{
    if (message != WM_CTLCOLORSTATIC)
        return nullptr;
    const ToolColours colours = Colours();
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.panel);
    if (colours.panel == RGB(255, 255, 255))
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!panelBrush_ || panelBrushColour_ != colours.panel) {
        panelBrush_.reset(CreateSolidBrush(colours.panel));
        panelBrushColour_ = colours.panel;
    }
    return panelBrush_.get();
}

} // namespace win32
