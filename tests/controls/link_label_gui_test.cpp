// The link label on a static control of a real window: attachment, colours, hover, cursor,
// click, and the .htm fallback with a handler planted in the test prefix.
#include "controls/link_label_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "controls/link_label_text.h"
#include "support/screenshot_win.h"
#include "support/test_paths.h"
#include "tools/cache/registry_snapshot_win.h"
#include "win32/handles.h"
#include "win32/ui_host.h"

namespace {

using namespace testing_support;

constexpr int kLinkId = 500;

class RecordingHost : public win32::UiHost {
public:
    struct Box {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> boxes;
    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type});
        return IDOK;
    }
};

// A dialog-class window with one static control at (10, 20), 300 x 40.
class LinkWindow {
public:
    explicit LinkWindow(const char* text, DWORD style = SS_LEFT)
    {
        parent_ = CreateWindowExA(0, "#32770", "", WS_POPUP, 100, 100, 400, 200, nullptr, nullptr,
                                  nullptr, nullptr);
        control_ = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 20, 300, 40,
                                   parent_, reinterpret_cast<HMENU>(kLinkId), nullptr, nullptr);
        SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    ~LinkWindow() { DestroyWindow(parent_); }
    HWND parent() const { return parent_; }
    HWND control() const { return control_; }

    RECT BoxInParent() const
    {
        RECT box;
        GetWindowRect(control_, &box);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&box), 2);
        return box;
    }
    SIZE TextExtent() const
    {
        win32::WindowDc dc(control_);
        win32::SelectObjectScope select(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control_, WM_GETFONT, 0, 0)));
        char text[256] = {};
        const int length = GetWindowTextA(control_, text, sizeof text);
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), text, length, &extent);
        return extent;
    }
    // The colour request the control answers for itself; the text colour it chose and its brush.
    COLORREF TextColour(HBRUSH* brush = nullptr, int* backgroundMode = nullptr) const
    {
        win32::WindowDc screen(nullptr);
        win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        const auto result = SendMessageA(parent_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                         reinterpret_cast<LPARAM>(control_));
        if (brush)
            *brush = reinterpret_cast<HBRUSH>(result);
        if (backgroundMode)
            *backgroundMode = GetBkMode(dc.get());
        return GetTextColor(dc.get());
    }
    void Click() const
    {
        SendMessageA(control_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(control_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

private:
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
};

std::string TooltipText(const CLinkLabel& link)
{
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = link.hwnd();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(link.Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST(LinkLabel, AttachmentTakesTheTextUnderlinesFitsAndAddsATooltip)
{
    LinkWindow window("Tidewell home");
    CLinkLabel link;
    ASSERT_TRUE(link.Attach(window.parent(), kLinkId));
    EXPECT_EQ(link.Target(), "Tidewell home");
    EXPECT_TRUE(GetWindowLongPtrA(window.control(), GWL_STYLE) & SS_NOTIFY);

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window.control(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);

    const SIZE extent = window.TextExtent();
    ASSERT_GT(extent.cx, 0);
    const RECT box = window.BoxInParent();
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right - box.left, extent.cx);
    EXPECT_EQ(box.bottom - box.top, extent.cy);

    ASSERT_NE(link.Tooltip(), nullptr);
    EXPECT_EQ(SendMessageA(link.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TooltipText(link), "Tidewell home");
    link.SetTarget("https://example.org/");
    EXPECT_EQ(TooltipText(link), "https://example.org/");

    EXPECT_FALSE(link.Attach(window.parent(), kLinkId + 1));
}

TEST(LinkLabel, AnEmptyControlShowsItsTarget)
{
    LinkWindow window("");
    CLinkLabel link;
    link.SetTarget("https://example.org/");
    ASSERT_TRUE(link.Attach(window.parent(), kLinkId));
    char text[64] = {};
    GetWindowTextA(window.control(), text, sizeof text);
    EXPECT_STREQ(text, "https://example.org/");
    EXPECT_EQ(window.BoxInParent().right - 10, window.TextExtent().cx);
}

TEST(LinkLabel, FittingKeepsTheAnchorOfTheAlignment)
{
    LinkWindow right("right", SS_RIGHT);
    CLinkLabel rightLink;
    ASSERT_TRUE(rightLink.Attach(right.parent(), kLinkId));
    EXPECT_EQ(right.BoxInParent().right, 310);
    EXPECT_EQ(right.BoxInParent().left, 310 - right.TextExtent().cx);

    LinkWindow centre("centre", SS_CENTER | SS_CENTERIMAGE);
    CLinkLabel centreLink;
    ASSERT_TRUE(centreLink.Attach(centre.parent(), kLinkId));
    const RECT box = centre.BoxInParent();
    EXPECT_LE(std::abs((box.left + box.right) - 320), 1) << "centred on the old box";
    EXPECT_LE(std::abs((box.top + box.bottom) - 80), 1);
}

TEST(LinkLabel, ColoursFollowTheMouseAndTheVisitedFlag)
{
    LinkWindow window("colours");
    CLinkLabel link;
    ASSERT_TRUE(link.Attach(window.parent(), kLinkId));
    HBRUSH brush = nullptr;
    int mode = 0;
    EXPECT_EQ(window.TextColour(&brush, &mode), RGB(0, 0, 238));
    EXPECT_EQ(brush, GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(mode, TRANSPARENT);

    link.SetLinkColours(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    SendMessageA(window.control(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(link.Over());
    EXPECT_EQ(GetCapture(), window.control());
    EXPECT_EQ(window.TextColour(), RGB(7, 8, 9));
    SendMessageA(window.control(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(link.Over()) << "still inside";
    SendMessageA(window.control(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, 2));
    EXPECT_FALSE(link.Over());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(window.TextColour(), RGB(1, 2, 3));

    link.MarkVisited(true);
    EXPECT_EQ(window.TextColour(), RGB(4, 5, 6));
    link.SetLinkColours(RGB(1, 2, 3), RGB(4, 5, 6), static_cast<COLORREF>(-1));
    SendMessageA(window.control(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(window.TextColour(), GetSysColor(COLOR_HIGHLIGHT));
    ReleaseCapture();
}

TEST(LinkLabel, TheCursorRequestShowsTheHand)
{
    LinkWindow window("cursor");
    CLinkLabel link;
    ASSERT_TRUE(link.Attach(window.parent(), kLinkId));
    ASSERT_NE(link.Cursor(), nullptr) << "neither the help program's hand nor the system's";
    EXPECT_EQ(SendMessageA(window.control(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.control()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), link.Cursor());
}

// Plants a .htm association and puts the classes back afterwards. Wine shows no per-user classes
// under HKEY_CLASSES_ROOT, so the association goes there directly.
class LinkOpenTest : public testing::Test {
protected:
    static constexpr const char* kHtmKey = ".htm";
    static constexpr const char* kHandlerKey = "TidewellTestPage";

    void SetUp() override { win32::SetUiHost(&host_); }
    void TearDown() override
    {
        win32::SetUiHost(nullptr);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        htm_.Restore();
    }

    // handlerCommand empty: .htm names a class without a command.
    void PlantHtmHandler(const std::string& handlerCommand)
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, kHtmKey, nullptr, REG_SZ, "TidewellTestPage", 17),
                  ERROR_SUCCESS);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        if (!handlerCommand.empty())
            ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, (std::string(kHandlerKey) + "\\shell\\open\\command").c_str(),
                                      nullptr, REG_SZ, handlerCommand.c_str(),
                                      static_cast<DWORD>(handlerCommand.size() + 1)),
                      ERROR_SUCCESS);
        char seen[64] = {};
        LONG size = sizeof seen;
        ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", seen, &size), ERROR_SUCCESS);
        ASSERT_STREQ(seen, "TidewellTestPage");
    }

    RegistrySnapshot htm_{HKEY_CLASSES_ROOT, kHtmKey};
    RecordingHost host_;
    LinkWindow window_{"link"};
    CLinkLabel link_;
};

TEST_F(LinkOpenTest, AClickOpensTheTargetWithTheShellAndMarksItVisited)
{
    std::vector<std::pair<std::string, int>> opened;
    link_.SetShellOpen([&](const std::string& target, int show) {
        opened.emplace_back(target, show);
        return INT_PTR{42};
    });
    link_.SetTarget("https://example.org/");
    ASSERT_TRUE(link_.Attach(window_.parent(), kLinkId));
    SendMessageA(window_.control(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    window_.Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, "https://example.org/");
    EXPECT_EQ(opened[0].second, SW_SHOW);
    EXPECT_TRUE(link_.Visited());
    EXPECT_FALSE(link_.Over()) << "a click clears the hover";
    EXPECT_EQ(GetCapture(), window_.control()) << "without releasing the capture";
    EXPECT_TRUE(host_.boxes.empty());
    ReleaseCapture();
}

TEST_F(LinkOpenTest, AFailedOpeningShowsTheShellsCodeWhenNoHandlerCanBeRead)
{
    PlantHtmHandler("");
    const struct {
        INT_PTR code;
        const char* text;
    } cases[] = {
        {26, "Unable to open hyperlink:\n\nA sharing violation occurred. "},
        {4, "Unable to open hyperlink:\n\nUnknown Error (4) occurred."},
        {31, "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension."},
    };
    ASSERT_TRUE(link_.Attach(window_.parent(), kLinkId));
    for (const auto& c : cases) {
        link_.SetShellOpen([&](const std::string&, int) { return c.code; });
        host_.boxes.clear();
        window_.Click();
        ASSERT_EQ(host_.boxes.size(), 1u) << c.code;
        EXPECT_EQ(host_.boxes[0].text, c.text);
        EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
        EXPECT_FALSE(link_.Visited());
    }
}

TEST_F(LinkOpenTest, TheHtmHandlerRunsTheTargetWhenTheShellCannot)
{
    ScratchDir scratch("link_label");
    const std::string marker = scratch.File("marker.txt");
    PlantHtmHandler("cmd.exe /c echo>\"" + marker + "\" \"%1\" dropped-argument");
    link_.SetShellOpen([](const std::string&, int) { return INT_PTR{2}; });
    link_.SetTarget("tidewell-link-target");
    ASSERT_TRUE(link_.Attach(window_.parent(), kLinkId));
    window_.Click();
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_TRUE(link_.Visited());
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(marker).find('\n') != std::string::npos; }, 10000));
    const std::string written = ReadWholeFile(marker);
    EXPECT_NE(written.find("tidewell-link-target"), std::string::npos) << written;
    EXPECT_EQ(written.find("dropped-argument"), std::string::npos) << written;
}

TEST_F(LinkOpenTest, AHandlerThatCannotRunReportsWinExecsCode)
{
    PlantHtmHandler("Z:\\no\\such\\browser.exe \"%1\"");
    link_.SetShellOpen([](const std::string&, int) { return INT_PTR{31}; });
    const INT_PTR code = link_.OpenTarget("https://example.org/", SW_SHOW);
    RecordProperty("WinExecCode", static_cast<int>(code));
    EXPECT_LE(code, 32);
    EXPECT_NE(code, 31) << "the code of the last attempt";
    ASSERT_TRUE(link_.Attach(window_.parent(), kLinkId));
    window_.Click();
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, HyperlinkErrorMessage(static_cast<long>(code)));
}

TEST_F(LinkOpenTest, TheRealShellReportsAMissingFile)
{
    PlantHtmHandler("");
    const INT_PTR code = link_.OpenTarget("Z:\\no\\such\\folder\\page.tidewell", SW_SHOW);
    RecordProperty("ShellExecuteCode", static_cast<int>(code));
    EXPECT_LE(code, 32);
    EXPECT_TRUE(code == SE_ERR_FNF || code == SE_ERR_PNF) << code;
}

} // namespace
