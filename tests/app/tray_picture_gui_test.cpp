// The tray picture: the base icon by memory use with the free percentage written over its lower
// part.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/tray_picture_win.h"
#include "controls/dib_canvas_win.h"
#include "win32/dialog.h"

namespace {

using controls::Rgb;

void Draw(HICON icon, DibCanvas& canvas)
{
    canvas.Clear(Rgb(255, 0, 255));
    DrawIconEx(canvas.dc(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

int Differences(const DibCanvas& a, const DibCanvas& b, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < 32; ++x)
            n += a.At(x, y) != b.At(x, y);
    return n;
}

TEST(TrayPicture, BaseIconByUseWithTheNumberBelow)
{
    HWND window = GetDesktopWindow();
    struct Case {
        int avail;
        int icon;
    } cases[] = {{200, 156}, {100, 157}, {40, 158}};
    for (const Case& c : cases) {
        const MemoryStatus status{c.avail, 256, 0, 0};
        win32::UniqueIcon picture(BuildTrayPicture(window, status));
        ASSERT_TRUE(picture) << c.avail;
        DibCanvas drawn(32, 32);
        Draw(picture.get(), drawn);
        // Above the number the picture is its base icon (its soft edge is drawn on black, so a
        // few pixels differ); the other two bases differ far more.
        int closest = 0, fewest = 32 * 32;
        for (int icon : {156, 157, 158}) {
            DibCanvas base(32, 32);
            Draw(LoadIconA(win32::ResourceModule(), MAKEINTRESOURCEA(icon)), base);
            const int differences = Differences(drawn, base, 0, 10);
            if (differences < fewest) {
                fewest = differences;
                closest = icon;
            }
            if (icon == c.icon)
                EXPECT_GT(Differences(drawn, base, 12, 32), 10) << "the number is written below";
        }
        EXPECT_EQ(closest, c.icon) << c.avail;
        EXPECT_LT(fewest, 32) << c.avail;
    }
}

} // namespace
