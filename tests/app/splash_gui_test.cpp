#include "app/splash_dlg_win.h"

#include <gtest/gtest.h>

#include "app/administrator_win.h"
#include "support/screenshot_win.h"

namespace {

using testing_support::PumpUntil;

TEST(Splash, ClosesByItselfWithinItsTime)
{
    CSplashDlg splash;
    ASSERT_TRUE(splash.CreateModeless());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return splash.hwnd() == nullptr; }, 5000));
    EXPECT_GE(GetTickCount() - start, 1000u) << "stays up for its moment";
    EXPECT_EQ(splash.Result(), IDOK);
}

TEST(Splash, ClickOrKeyClosesAtOnce)
{
    for (UINT msg : {WM_LBUTTONDOWN, WM_KEYDOWN}) {
        CSplashDlg splash;
        ASSERT_TRUE(splash.CreateModeless());
        SendMessageA(splash.hwnd(), msg, 0, 0);
        EXPECT_EQ(splash.hwnd(), nullptr) << "message " << msg;
    }
    CSplashDlg clicked;
    ASSERT_TRUE(clicked.CreateModeless());
    HWND picture = GetWindow(clicked.hwnd(), GW_CHILD);
    SendMessageA(clicked.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), STN_CLICKED),
                 reinterpret_cast<LPARAM>(picture));
    EXPECT_EQ(clicked.hwnd(), nullptr) << "a click on the picture";
}

TEST(Administrator, WineRunsTestsAsAnAdministrator)
{
    EXPECT_TRUE(IsAdministrator());
}

TEST(SplashScreenshot, Picture)
{
    if (!testing_support::ScreenshotsWanted())
        GTEST_SKIP();
    CSplashDlg splash;
    ASSERT_TRUE(splash.CreateModeless());
    KillTimer(splash.hwnd(), CSplashDlg::kCloseTimer);
    EXPECT_TRUE(testing_support::SaveScreenshot(splash.hwnd(), "splash"));
}

} // namespace
