// The shared Win32 layer: tool dialogs, list view helpers, resources, dialog teardown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "win32/handles.h"
#include "win32/list_view.h"
#include "win32/tool_background.h"
#include "win32/tool_dialog.h"

namespace {

// A modeless dialog's own OnDestroy runs while its members are still there.
class ToolProbe : public win32::ToolDialog {
public:
    explicit ToolProbe(std::string& log) : ToolDialog(IDD_SPLASH), log_(log) {}

protected:
    void OnDestroy() override { log_ += "destroyed with " + member_; }

private:
    std::string& log_;
    std::string member_ = "member";
};

TEST(ToolDialog, GreyFieldShadowRimWhitePanelWhiteStaticsAndTeardown)
{
    std::string log;
    HWND window = nullptr;
    {
        win32::Modeless<ToolProbe> dialog(log);
        ASSERT_TRUE(dialog.CreateModeless());
        window = dialog.hwnd();
        const HWND picture = GetWindow(window, GW_CHILD);
        ShowWindow(picture, SW_HIDE);
        // Without a caption and neither active nor activated, Wine leaves it to no window manager:
        // it then closes at once.
        SetActiveWindow(nullptr);
        SetWindowPos(window, HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(window);
        win32::WindowDc dc(window);
        EXPECT_EQ(GetPixel(dc.get(), 2, 2), RGB(215, 215, 215)) << "painted on the screen";
        SetBkColor(dc.get(), RGB(1, 2, 3));
        EXPECT_EQ(SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                               reinterpret_cast<LPARAM>(picture)),
                  reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(GetBkColor(dc.get()), RGB(255, 255, 255));

        RECT client;
        GetClientRect(window, &client);
        win32::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
        win32::UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
        win32::SelectObjectScope select(memory.get(), bitmap.get());
        win32::PaintToolBackground(window, memory.get(), win32::ToolColoursFor(win32::Look::Light));
        const int midX = client.right / 2, midY = client.bottom / 2;
        EXPECT_EQ(GetPixel(memory.get(), midX, midY), RGB(255, 255, 255)); // panel
        EXPECT_EQ(GetPixel(memory.get(), client.right - 8, midY), RGB(50, 50, 50)); // shadow
        EXPECT_EQ(GetPixel(memory.get(), midX, 7), RGB(230, 235, 225)); // rim
    }
    EXPECT_EQ(log, "destroyed with member");
    EXPECT_FALSE(IsWindow(window));
}

TEST(Resources, EveryIconAndBitmapLoads)
{
    for (int id : {IDR_MAINFRAME, IDI_ALERT, IDI_SERVICE_RUNNING, IDI_SERVICE_STOPPED, IDI_DEFAULT_FILE, IDI_BUSY}) {
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

TEST(ListViewHelpers, RowsAndLongCells)
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
    EXPECT_EQ(list.GetCell(1, 1), longText) << "long cells come back whole";
    EXPECT_TRUE(list.DeleteRow(0));
    EXPECT_EQ(list.GetCell(0, 0), "second");
    DestroyWindow(wnd);
}

} // namespace
