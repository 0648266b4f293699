#include "common/file_icon_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/ids/art_ids.h"
#include "support/autostart_seams_win.h"
#include "win32/handles.h"

namespace {

// The image's pixels drawn on white, to tell icons apart.
std::vector<COLORREF> Pixels(HIMAGELIST images, int index)
{
    win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32::UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 16, 16));
    win32::SelectObjectScope select(dc.get(), bitmap.get());
    RECT all{0, 0, 16, 16};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, index, dc.get(), 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < 256; ++i)
        pixels.push_back(GetPixel(dc.get(), i % 16, i / 16));
    return pixels;
}

// The quoted part of a command line names the file; a program only administrators can change shows
// its own icon, anything else (a missing file, one a user could have replaced, as every file reads
// under Wine) the default file icon.
TEST(FileIcon, AProtectedProgramsIconOrTheDefault)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string notepad = "\"" + std::string(system) + "\\notepad.exe\" file.txt";
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    win32::UniqueIcon fallback(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_FILE), IMAGE_ICON, 16, 16, 0)));
    ASSERT_EQ(ImageList_ReplaceIcon(images, -1, fallback.get()), 0);
    EXPECT_EQ(AddFileIcon(notepad, images), 1);
    {
        const testing_support::PretendPlaces places;
        EXPECT_EQ(AddFileIcon("C:\\no such folder\\missing.exe", images), 2);
        EXPECT_EQ(AddFileIcon(notepad, images), 3);
        EXPECT_EQ(AddFileIcon("", images), 4);
    }
    EXPECT_EQ(Pixels(images, 1), Pixels(images, 0)) << "a place users may change gives the default icon";
    EXPECT_EQ(Pixels(images, 2), Pixels(images, 0)) << "a missing file gets the default icon";
    EXPECT_NE(Pixels(images, 3), Pixels(images, 0)) << "a protected program shows its own icon";
    EXPECT_EQ(Pixels(images, 4), Pixels(images, 0));
    ImageList_Destroy(images);
}

} // namespace
