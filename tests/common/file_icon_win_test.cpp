#include "common/file_icon_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/ids/art_ids.h"
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

class FileIconTest : public testing::Test {
protected:
    HIMAGELIST images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    void TearDown() override { ImageList_Destroy(images_); }

    std::vector<COLORREF> DefaultIcon()
    {
        HIMAGELIST reference = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_FILE), IMAGE_ICON, 16, 16, 0));
        ImageList_ReplaceIcon(reference, -1, icon);
        DestroyIcon(icon);
        std::vector<COLORREF> pixels = Pixels(reference, 0);
        ImageList_Destroy(reference);
        return pixels;
    }
};

TEST(FileIconPath, QuotedCommandLinesNameTheirFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\a.exe\" -x", "C:\\Program Files\\a.exe"},
        {"\"C:\\Program", "C:\\Program"},
        {"\"", ""},
        {"\"\"", ""},
    };
    for (const auto& [path, file] : cases)
        EXPECT_EQ(UnquotedIconPath(path), file) << path;
}

TEST_F(FileIconTest, AppendsShellIconOrDefault)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string notepad = std::string(system) + "\\notepad.exe";

    EXPECT_EQ(AddFileIcon("C:\\no such folder\\missing.exe", images_), 0);
    EXPECT_EQ(AddFileIcon("\"" + notepad + "\" file.txt", images_), 1);
    EXPECT_EQ(AddFileIcon("", images_), 2);
    EXPECT_EQ(ImageList_GetImageCount(images_), 3);

    const std::vector<COLORREF> fallback = DefaultIcon();
    EXPECT_EQ(Pixels(images_, 0), fallback) << "a missing file gets the default icon";
    EXPECT_EQ(Pixels(images_, 2), fallback);
    EXPECT_NE(Pixels(images_, 1), fallback) << "a program shows its own icon";
    EXPECT_EQ(AddFileIcon("C:\\missing.exe", nullptr), -1) << "no image list, no index";
}

} // namespace
