// The main window's background: the navy monitor panel and, widened, the white settings panel.
#include "app/main_dlg_win.h"

#include "app/palette.h"

namespace {

constexpr int kCorner = 15;

// A rounded panel; its region lives only for this call.
void FillRoundPanel(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    win32::UniqueGdi<HRGN> region(CreateRoundRectRgn(left, top, right, bottom, kCorner, kCorner));
    if (region && brush)
        FillRgn(dc, region.get(), brush);
}

} // namespace

bool CMainDlg::OnPaint()
{
    win32::PaintDc dc(hwnd());
    if (IsIconic(hwnd())) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, windowIcon_.get());
        return true;
    }
    PaintPanels(dc.get());
    return true;
}

void CMainDlg::PaintPanels(HDC dc)
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    using namespace palette;
    panelTools_.Fill(dc, client, kWindowField);
    const RECT& left = expanded_ ? compactClient_ : client;
    if (expanded_) {
        const RECT& full = expandedClient_;
        const int x = RightPanelX(ToBox(full), ToBox(compactClient_));
        FillRoundPanel(dc, x + 20, 10, full.right - 6, full.bottom - 8, panelTools_.Brush(kDarkShadow));
        FillRoundPanel(dc, x + 18, 8, full.right - 8, full.bottom - 10, panelTools_.Brush(kWhite));
    }
    FillRoundPanel(dc, 10, 10, left.right - 8, left.bottom - 8, panelTools_.Brush(kGrey));
    FillRoundPanel(dc, 8, 8, left.right - 10, left.bottom - 10, panelTools_.Brush(kNavy));
}

HBRUSH CMainDlg::OnCtlColor(HDC dc, HWND control, UINT message)
{
    if (message == WM_CTLCOLORSTATIC) {
        if (HBRUSH brush = CColorStatic::ReflectCtlColor(control, dc))
            return brush;
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX)
        return nullptr;
    // Everything else sits on the white panel, or draws itself, with the text see-through.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}
