// The main window on today's desktop, as the user meets it: Windows' colour modes switched while
// windows are open.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/cleaning/history_dlg_win.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"

namespace {

using testing_support::MainDlgTest;

constexpr char kPersonalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

COLORREF PixelOf(HWND window, int x, int y)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return GetPixel(win32::WindowDc(window).get(), x, y);
}

// Windows' two switches, set as Settings sets them and then announced to every window, in UTF-16
// as Settings does.
void SwitchModes(bool lightApps, bool lightTaskbar)
{
    testing_support::WriteDword(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme", lightApps);
    testing_support::WriteDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme", lightTaskbar);
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

// The main window widened and the History window open: both go dark and come back light, the
// monitor keeping its colours. The tray picture's badge (amber at the pretended 61 % in use) gets
// a black rim on the light taskbar only, and its figure is black on either.
TEST_F(MainDlgTest, FollowsWindowsColourModesWhileOpen)
{
    testing_support::RegistrySnapshot personalize(HKEY_CURRENT_USER, kPersonalize);
    SwitchModes(true, true);
    Open();
    ShowWindow(Window(), SW_SHOWNA);
    Command(IDC_TAB_BUTTON);
    win32::Modeless<CHistoryDlg> history;
    ASSERT_TRUE(history.CreateModeless());
    ShowWindow(history.hwnd(), SW_SHOWNA);
    const auto& title = dynamic_cast<CColorStatic&>(*controls::ControlWindow::FromHandle(Item(IDC_TITLE1)));
    for (const bool light : {false, true}) {
        SCOPED_TRACE(light ? "light" : "dark");
        SwitchModes(light, light);
        const COLORREF field = light ? RGB(215, 215, 215) : RGB(32, 32, 32);
        EXPECT_EQ(PixelOf(Window(), 2, 2), field);
        EXPECT_EQ(PixelOf(history.hwnd(), 2, 2), field);
        win32::WindowDc dc(Window());
        SendMessageA(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                     reinterpret_cast<LPARAM>(Item(IDC_CHECKSOUND)));
        EXPECT_EQ(GetTextColor(dc.get()), light ? RGB(0, 0, 0) : RGB(240, 240, 240)) << "a settings check box";
        EXPECT_EQ(ListView_GetBkColor(history.Item(IDC_HISTORY_LIST)), light ? GetSysColor(COLOR_WINDOW) : RGB(32, 32, 32));
        EXPECT_EQ(title.TextColour(), RGB(19, 238, 255));

        DibCanvas tray(16, 16);
        tray.Clear(controls::Rgb(255, 255, 255));
        DrawIconEx(tray.dc(), 0, 0, dialog_->Tray().IconData().hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(tray.At(8, 0) == controls::Rgb(0, 0, 0), light) << "the rim";
        int figure = 0; // black on the badge, not a hole the taskbar shows through
        for (int y = 7; y < 15; ++y)
            for (int x = 2; x < 14; ++x)
                figure += tray.At(x, y) == controls::Rgb(0, 0, 0);
        EXPECT_GT(figure, 8);
    }
}

} // namespace
