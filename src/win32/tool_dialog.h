#pragma once
// A tool dialog: the tool background on every paint, statics and check boxes on white.
#include "win32/dialog.h"

namespace win32 {

class ToolDialog : public Dialog {
public:
    using Dialog::Dialog;

protected:
    bool OnPaint() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
};

} // namespace win32
