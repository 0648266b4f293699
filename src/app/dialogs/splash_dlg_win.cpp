#include "app/dialogs/splash_dlg_win.h"

#include "resources/resource.h"

CSplashDlg::CSplashDlg() : Dialog(IDD_SPLASH) {}

BOOL CSplashDlg::OnInit()
{
    SetTimer(hwnd(), kCloseTimer, kShowMs, nullptr);
    // Centre the final 360 x 240 size, not the template's.
    const int w = 360, h = 240;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(hwnd(), HWND_TOP, x, y, w, h, SWP_NOZORDER);
    SetWindowPos(Item(-1) ? Item(-1) : GetWindow(hwnd(), GW_CHILD), nullptr, 0, 0, w, h, SWP_NOZORDER);
    return TRUE;
}

void CSplashDlg::Close()
{
    KillTimer(hwnd(), kCloseTimer);
    OnOK();
}

void CSplashDlg::OnTimer(UINT_PTR id)
{
    if (id == kCloseTimer)
        Close();
}

bool CSplashDlg::OnCommand(int /*id*/, int code, HWND control)
{
    // The picture is a notifying static: a click on it arrives as STN_CLICKED.
    if (control && code == STN_CLICKED) {
        Close();
        return true;
    }
    return false;
}

bool CSplashDlg::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result)
{
    if (msg == WM_LBUTTONDOWN || msg == WM_KEYDOWN || msg == WM_CHAR) {
        Close();
        result = TRUE;
        return true;
    }
    return false;
}
