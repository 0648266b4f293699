// Pictures of the main window, compact and widened, and of its exit question:
// build/screenshots/main-compact.png, main-wide.png and message.png.
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

    host_.answer = IDNO;
    Command(IDC_EXITBT);
    ASSERT_EQ(host_.boxes.size(), 1u);
    const auto& box = host_.boxes.front();
    EXPECT_TRUE(testing_support::SaveMessageBoxScreenshot(Window(), box.text, box.caption, box.type, IDNO, "message"));
}

} // namespace
