#include "controls/graph_window_win.h"

namespace controls {

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
    result = 0;
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1; // the copy covers every pixel
        return true;
    case WM_PAINT: {
        win32::PaintDc dc(hwnd());
        BringPictureUpToDate();
        buffer_.CopyTo(dc.get());
        return true;
    }
    case WM_PRINTCLIENT:
        BringPictureUpToDate();
        buffer_.CopyTo(reinterpret_cast<HDC>(wp));
        return true;
    default:
        return false;
    }
}

} // namespace controls
