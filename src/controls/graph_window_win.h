#pragma once
// A graph that keeps its whole picture in a back buffer: painting only copies the buffer.
#include <windows.h>

#include "controls/control_window_win.h"

namespace controls {

class GraphWindow : public ControlWindow {
public:
    virtual bool Create(DWORD style, const RECT& rect, HWND parent, int id) = 0;
    // A visible child at the rectangle of a placeholder control of `dialog`.
    bool CreateOver(HWND dialog, int placeholderId, int id);

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BackBuffer buffer_;
};

} // namespace controls
