#include "controls/graph_window_win.h"

#include <oleacc.h>

namespace controls {

GraphWindow::GraphWindow() : ControlWindow(ROLE_SYSTEM_GRAPHIC) {}

bool GraphWindow::CreateOver(HWND dialog, int placeholderId, int id)
{
    if (!GetDlgItem(dialog, placeholderId))
        return false;
    return Create(WS_CHILD | WS_VISIBLE, PlaceholderRect(dialog, placeholderId), dialog, id);
}

void GraphWindow::DrawChange()
{
    // Straight into the window: a paint message costs the window system several round trips
    // each tick, a window DC one.
    if (!hwnd() || !IsWindowVisible(hwnd()))
        return;
    win32::WindowDc dc(hwnd());
    BringPictureUpToDate();
    buffer_.CopyTo(dc.get());
}

bool GraphWindow::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    return PaintMessage(msg, wp, result, [this](HDC dc) {
        BringPictureUpToDate();
        buffer_.CopyTo(dc);
    });
}

} // namespace controls
