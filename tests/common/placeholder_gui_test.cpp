// Checks that the GUI test program runs with a display and real windows.
#include <gtest/gtest.h>

#include <windows.h>

TEST(GuiHarness, CreatesAndDestroysAWindow)
{
    HWND w = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    char text[16] = {};
    GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(text, "probe");
    EXPECT_TRUE(DestroyWindow(w));
}

#include "support/screenshot_win.h"

TEST(GuiHarness, ScreenshotOfAProbeWindow)
{
    if (!testing_support::ScreenshotsWanted())
        GTEST_SKIP() << "pictures are taken by make screenshot";
    HWND w = CreateWindowExA(0, "STATIC", "Screenshot probe", WS_POPUP | WS_VISIBLE | WS_BORDER,
                             50, 50, 200, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(testing_support::SaveScreenshot(w, "probe"));
    DestroyWindow(w);
}
