#pragma once
// A tool dialog: the tool background on every paint, statics and check boxes on its panel, all in
// the colours of the window's look.
#include "win32/dialog.h"
#include "win32/handles.h"
#include "win32/tool_background.h"

namespace win32 {

class ToolDialog : public Dialog {
public:
    using Dialog::Dialog;

protected:
    bool OnPaint() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    ToolColours Colours() const { return ToolColoursFor(WindowLook()); }

private:
    UniqueGdi<HBRUSH> panelBrush_;
    COLORREF panelBrushColour_ = 0;
};

} // namespace win32
