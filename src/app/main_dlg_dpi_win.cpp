// The main window moved to a screen of another DPI: its size, the remembered compact and widened
// shapes, and the fonts it chose itself follow.
#include "app/main_dlg_win.h"

namespace {

RECT Scaled(const RECT& r, int to, int from)
{
    return RECT{MulDiv(r.left, to, from), MulDiv(r.top, to, from), MulDiv(r.right, to, from),
                MulDiv(r.bottom, to, from)};
}

} // namespace

void CMainDlg::OnDpiChanged(int dpi, const RECT& suggested)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    for (RECT* shape : {&fullRect_, &compactRect_, &currentRect_, &compactClient_, &expandedClient_})
        *shape = Scaled(*shape, dpi, dpi_);
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(hwnd(), WM_APPLY_DPI, 0, 0);
}
