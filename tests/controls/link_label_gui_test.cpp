#include "controls/link_label_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/about_dlg_win.h"
#include "controls/link_label_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "support/test_paths.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "win32/handles.h"

namespace {

using namespace testing_support;

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

TEST(LinkLabel, AttachmentUnderlinesFitsAddsATooltipAndTheHand)
{
    win32::Modeless<CAboutDlg> dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    CLinkLabel& link = dialog.WebsiteLink();
    HWND control = link.hwnd();
    ASSERT_EQ(control, dialog.Item(IDC_LINK_WEBSITE));
    EXPECT_TRUE(GetWindowLongPtrA(control, GWL_STYLE) & SS_NOTIFY);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    EXPECT_TRUE(description.lfUnderline);

    SIZE extent{};
    {
        win32::WindowDc dc(control);
        win32::SelectObjectScope select(dc.get(), font);
        const std::string text = dialog.GetItemText(IDC_LINK_WEBSITE);
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT client;
    GetClientRect(control, &client);
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(client.right, extent.cx) << "fitted to the text";
    EXPECT_EQ(client.bottom, extent.cy);

    EXPECT_EQ(SendMessageA(link.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TooltipText(link), link.Target());
    link.SetTarget("https://example.org/other");
    EXPECT_EQ(TooltipText(link), "https://example.org/other");

    link.SetLinkColours(RGB(1, 2, 3), RGB(4, 5, 6), static_cast<COLORREF>(-1));
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(link.TextColour(), GetSysColor(COLOR_HIGHLIGHT)) << "-1 is the highlight colour";
    ReleaseCapture();

    ASSERT_NE(link.Cursor(), nullptr) << "neither the help program's hand nor the system's";
    EXPECT_EQ(SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), link.Cursor());
}

// Wine shows no per-user classes under HKEY_CLASSES_ROOT, so the association goes there directly.
class LinkOpenTest : public testing::Test {
protected:
    static constexpr const char* kHandlerKey = "TidewellTestPage";

    void SetUp() override { ASSERT_TRUE(dialog_.CreateModeless()); }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        htm_.Restore();
    }

    void PlantHtmHandler(const std::string& handlerCommand)
    {
        ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".htm", "", REG_SZ, kHandlerKey, 17));
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        if (!handlerCommand.empty()) {
            ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, std::string(kHandlerKey) + "\\shell\\open\\command", "",
                                   REG_SZ, handlerCommand.c_str(), static_cast<DWORD>(handlerCommand.size() + 1)));
        }
    }
    void Click() const
    {
        SendMessageA(link_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageA(link_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }

    RegistrySnapshot htm_{HKEY_CLASSES_ROOT, ".htm"};
    RecordingHost host_;
    // The shell's answer for the link; the real shell when empty.
    CLinkLabel::ShellOpen shellOpen_;
    win32::Modeless<CAboutDlg> dialog_{[this](const std::string& target, int show) {
        return shellOpen_ ? shellOpen_(target, show) : CLinkLabel::SystemShellOpen(target, show);
    }};
    CLinkLabel& link_ = dialog_.WebsiteLink();
};

TEST_F(LinkOpenTest, TheHtmHandlerRunsTheTargetWhenTheShellCannot)
{
    ScratchDir scratch("link_label");
    const std::string marker = scratch.File("marker.txt");
    PlantHtmHandler("cmd.exe /c echo>\"" + marker + "\" \"%1\" dropped-argument");
    int shown = -1;
    shellOpen_ = [&](const std::string&, int show) {
        shown = show;
        return INT_PTR{2};
    };
    link_.SetTarget("tidewell-link-target");
    Click();
    EXPECT_EQ(shown, SW_SHOW);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_TRUE(link_.Visited());
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(marker).find('\n') != std::string::npos; }, 10000));
    const std::string written = ReadWholeFile(marker);
    EXPECT_NE(written.find("tidewell-link-target"), std::string::npos) << written;
    EXPECT_EQ(written.find("dropped-argument"), std::string::npos) << written;
}

TEST_F(LinkOpenTest, TheMessageGivesTheCodeOfTheLastAttempt)
{
    PlantHtmHandler("");
    const INT_PTR shellCode = link_.OpenTarget("Z:\\no\\such\\folder\\page.tidewell", SW_SHOW);
    EXPECT_TRUE(shellCode == SE_ERR_FNF || shellCode == SE_ERR_PNF) << shellCode;
    shellOpen_ = [](const std::string&, int) { return INT_PTR{26}; };
    Click();
    ASSERT_EQ(host_.boxes.size(), 1u) << "no handler command: the shell's code";
    EXPECT_EQ(host_.boxes[0].text, HyperlinkErrorMessage(26));
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_FALSE(link_.Visited());

    // A handler command that cannot run: WinExec's code, not the shell's.
    PlantHtmHandler("Z:\\no\\such\\browser.exe \"%1\"");
    shellOpen_ = [](const std::string&, int) { return INT_PTR{31}; };
    const INT_PTR code = link_.OpenTarget("https://example.org/", SW_SHOW);
    EXPECT_LE(code, 32);
    EXPECT_NE(code, 31);
    Click();
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, HyperlinkErrorMessage(static_cast<long>(code)));
}

} // namespace
