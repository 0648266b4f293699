#pragma once
// A graph that keeps its whole picture in a back buffer: painting brings the buffer up to date and
// copies it, so a graph that cannot be seen draws nothing.
#include <windows.h>

#include "controls/control_window_win.h"

namespace controls {

class GraphWindow : public ControlWindow {
public:
    GraphWindow();
    virtual bool Create(DWORD style, const RECT& rect, HWND parent, int id) = 0;
    // A visible child at the rectangle of a placeholder control of `dialog`.
    bool CreateOver(HWND dialog, int placeholderId, int id);

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Draws what has been recorded since the last paint into the buffer.
    virtual void BringPictureUpToDate() {}
    // Draws what changed at once where the graph can be seen; a hidden one is drawn when shown.
    void DrawChange();
    BackBuffer buffer_;
};

} // namespace controls
