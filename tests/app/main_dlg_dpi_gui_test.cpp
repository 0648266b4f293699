// The main window told that its screen's DPI changed: its size, its own fonts, its glyphs and its
// widened shape follow, and come back with the DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::MainDlgTest;

LONG FontHeight(HWND control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

SIZE WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

TEST_F(MainDlgTest, DpiChangeResizesTheWindowItsOwnFontsAndGlyphs)
{
    Open();
    ASSERT_EQ(FontHeight(Item(IDC_TITLE1)), -13) << "the tests run at 96 DPI";
    const SIZE compact = WindowSize(Window());
    Command(IDC_TAB_BUTTON);
    const SIZE wide = WindowSize(Window());
    Command(IDC_TAB_BUTTON);

    for (const int dpi : {144, 96}) {
        RECT suggested{50, 60, 50 + MulDiv(compact.cx, dpi, 96), 60 + MulDiv(compact.cy, dpi, 96)};
        SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        testing_support::PumpMessagesFor(50);
        const SIZE now = WindowSize(Window());
        EXPECT_EQ(now.cx, suggested.right - suggested.left) << dpi;
        EXPECT_EQ(now.cy, suggested.bottom - suggested.top) << dpi;
        EXPECT_EQ(FontHeight(Item(IDC_TITLE1)), -MulDiv(13, dpi, 96)) << dpi;
        EXPECT_EQ(FontHeight(Item(IDC_AXIS50)), -MulDiv(10, dpi, 96)) << dpi;
        BITMAP glyph{};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_GLYPH_MEMORY), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof glyph, &glyph);
        EXPECT_EQ(glyph.bmWidth, MulDiv(20, dpi, 96)) << "the glyph drawn for " << dpi;
        Command(IDC_TAB_BUTTON);
        EXPECT_NEAR(WindowSize(Window()).cx, MulDiv(wide.cx, dpi, 96), 1) << "widened at " << dpi;
        Command(IDC_TAB_BUTTON);
    }
}

} // namespace
