// The shared Win32 layer: tool background, list view helpers, resources, dialog teardown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "win32/dialog.h"
#include "win32/handles.h"
#include "win32/list_view.h"
#include "win32/tool_background.h"

namespace {

COLORREF PixelAfterPaint(int w, int h, int x, int y)
{
    HWND wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, w, h, nullptr, nullptr, nullptr, nullptr);
    win32::WindowDc screen(wnd);
    win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    win32::UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    COLORREF pixel;
    {
        win32::SelectObjectScope select(memory.get(), bitmap.get());
        win32::PaintToolBackground(wnd, memory.get());
        pixel = GetPixel(memory.get(), x, y);
    }
    DestroyWindow(wnd);
    return pixel;
}

TEST(ToolBackground, GreyFieldShadowRimAndWhitePanel)
{
    EXPECT_EQ(PixelAfterPaint(300, 200, 2, 2), RGB(215, 215, 215));     // field
    EXPECT_EQ(PixelAfterPaint(300, 200, 150, 100), RGB(255, 255, 255)); // panel
    EXPECT_EQ(PixelAfterPaint(300, 200, 292, 100), RGB(50, 50, 50));    // shadow right of the panel
    EXPECT_EQ(PixelAfterPaint(300, 200, 150, 7), RGB(230, 235, 225));   // rim above the panel
}

TEST(Resources, EveryIconAndBitmapLoads)
{
    for (int id : {IDR_MAINFRAME, IDI_ALERT, IDI_SERVICE_RUNNING, IDI_SERVICE_STOPPED, IDI_DEFAULT_FILE,
                   IDI_TRAY_LOW_USE, IDI_TRAY_MID_USE, IDI_TRAY_HIGH_USE, IDI_BUSY}) {
        win32::UniqueIcon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0)));
        EXPECT_TRUE(icon) << "icon " << id;
    }
    for (int id : {IDB_SPLASH, IDB_GLYPH_GAUGES, IDB_GLYPH_CLOCK, IDB_GLYPH_MEMORY, IDB_GLYPH_LOAD,
                   IDB_GLYPH_CLEANING, IDB_ABOUT_LOGO}) {
        win32::UniqueGdi<HBITMAP> bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
        EXPECT_TRUE(bitmap) << "bitmap " << id;
    }
}

TEST(ListViewHelpers, RowsCellsAndFocus)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND wnd = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    win32::ListView list(wnd);
    list.AddColumn(0, "Name", 100);
    list.AddColumn(1, "Command", 150);
    EXPECT_EQ(list.InsertRow(-1, "first"), 0);
    EXPECT_EQ(list.InsertRow(-1, "second"), 1);
    const std::string longText(1000, 'c');
    list.SetCell(1, 1, longText);
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.GetCell(0, 0), "first");
    EXPECT_EQ(list.GetCell(1, 1), longText) << "long cells come back whole";
    EXPECT_EQ(list.FocusedRow(), -1);
    list.FocusRow(1);
    EXPECT_EQ(list.FocusedRow(), 1);
    EXPECT_TRUE(list.DeleteRow(0));
    EXPECT_EQ(list.GetCell(0, 0), "second");
    list.DeleteAll();
    EXPECT_EQ(list.RowCount(), 0);
    DestroyWindow(wnd);
}

// A modeless dialog's own OnDestroy runs while its members are still there.
class TeardownProbe : public win32::Dialog {
public:
    explicit TeardownProbe(std::string& log) : Dialog(IDD_ABOUTBOX), log_(log) {}

protected:
    void OnDestroy() override { log_ += "destroyed with " + member_; }

private:
    std::string& log_;
    std::string member_ = "member";
};

TEST(DialogBase, ModelessTeardownRunsTheDialogsOwnOnDestroy)
{
    std::string log;
    HWND window = nullptr;
    {
        win32::Modeless<TeardownProbe> dialog(log);
        ASSERT_TRUE(dialog.CreateModeless());
        window = dialog.hwnd();
    }
    EXPECT_EQ(log, "destroyed with member");
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
