// The tray picture: the base icon by memory use with the free percentage written over its lower
// part.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/tray_picture_win.h"
#include "controls/dib_canvas_win.h"
#include "win32/dialog.h"

namespace {

using controls::Rgb;

void Draw(HICON icon, int size, DibCanvas& canvas)
{
    canvas.Clear(Rgb(255, 0, 255));
    DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
}

int Differences(const DibCanvas& a, const DibCanvas& b, int size, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < size; ++x)
            n += a.At(x, y) != b.At(x, y);
    return n;
}

TEST(TrayPicture, BaseIconByUseWithTheNumberBelowAtTheTraySize)
{
    HWND window = GetDesktopWindow();
    struct Case {
        int avail;
        int icon;
        int size; // 16 at 96 DPI, 24 at 144, 32 at 192
    } cases[] = {{200, 156, 16}, {100, 157, 24}, {40, 158, 32}, {200, 156, 32}};
    CTrayPicturePainter painter; // one for every picture, as the resident uses it
    for (const Case& c : cases) {
        const MemoryStatus status{c.avail, 256, 0, 0};
        win32::UniqueIcon picture(painter.Build(window, status, c.size));
        ASSERT_TRUE(picture) << c.avail;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(picture.get(), &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(colour.bmWidth, c.size);
        EXPECT_EQ(colour.bmHeight, c.size);
        DibCanvas drawn(c.size, c.size);
        Draw(picture.get(), c.size, drawn);
        DibCanvas alone(c.size, c.size);
        Draw(win32::UniqueIcon(BuildTrayPicture(window, status, c.size)).get(), c.size, alone);
        EXPECT_EQ(Differences(drawn, alone, c.size, 0, c.size), 0) << "nothing left of the picture before";
        // Above the number the picture is its base icon (its soft edge is drawn on black, so a
        // few pixels differ); the other two bases differ far more.
        const int numberTop = c.size * 3 / 8, baseRows = c.size * 5 / 16;
        int closest = 0, fewest = c.size * c.size;
        for (int icon : {156, 157, 158}) {
            DibCanvas base(c.size, c.size);
            win32::UniqueIcon baseIcon(static_cast<HICON>(LoadImageA(
                win32::ResourceModule(), MAKEINTRESOURCEA(icon), IMAGE_ICON, c.size, c.size, LR_DEFAULTCOLOR)));
            Draw(baseIcon.get(), c.size, base);
            const int differences = Differences(drawn, base, c.size, 0, baseRows);
            if (differences < fewest) {
                fewest = differences;
                closest = icon;
            }
            if (icon == c.icon) {
                EXPECT_GT(Differences(drawn, base, c.size, numberTop, c.size), c.size / 3) << "the number is below";
            }
        }
        EXPECT_EQ(closest, c.icon) << c.avail;
        EXPECT_LT(fewest * 3, c.size * baseRows) << c.avail;
    }
}

} // namespace
