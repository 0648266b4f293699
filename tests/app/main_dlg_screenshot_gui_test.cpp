// Pictures of the main window, compact and widened: build/screenshots/main-compact.png and
// main-wide.png.
#include <gtest/gtest.h>

#include "app/main_dlg_fixture_win.h"
#include "support/screenshot_win.h"

namespace {

class MainScreenshot : public testing_support::MainDlgTest {};

TEST_F(MainScreenshot, CompactAndWide)
{
    if (!testing_support::ScreenshotsWanted())
        GTEST_SKIP() << "screenshots not asked for";
    Open();
    SetWindowPos(Window(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    for (int i = 0; i < 40; ++i) {
        Tick(CMainDlg::kDisplayTimer);
        testing_support::PumpMessagesFor(5);
    }
    EXPECT_TRUE(testing_support::SaveScreenshot(Window(), "main-compact"));
    Command(IDC_TAB_BUTTON);
    Command(IDC_LZL_BUTTON);
    for (int i = 0; i < 4; ++i)
        Tick(CMainDlg::kOrganiseTimer);
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_TRUE(testing_support::SaveScreenshot(Window(), "main-wide"));
}

} // namespace
