#pragma once
// A dialog's picture (a bitmap static) with a name a screen reader can speak: left alone, the
// reader would spell out the static's text, which is the number of its bitmap resource.
#include <windows.h>

#include "controls/control_window_win.h"

class CPictureStatic : public controls::ControlWindow {
public:
    CPictureStatic();

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};
