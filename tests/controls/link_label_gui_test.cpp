#include "controls/link_label_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/about_dlg_win.h"
#include "controls/link_label_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/test_paths.h"
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

// Wine shows no per-user classes under HKEY_CLASSES_ROOT, so the association goes there directly.
constexpr const char* kHandlerKey = "TidewellTestPage";

// The association of .htm pages, put back as it was when the test ends.
struct HtmAssociation {
    RegistrySnapshot htm{HKEY_CLASSES_ROOT, ".htm"};
    ~HtmAssociation()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        htm.Restore();
    }
};

void PlantHtmHandler(const std::string& command)
{
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".htm", "", REG_SZ, kHandlerKey, 17));
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, std::string(kHandlerKey) + "\\shell\\open\\command", "", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size() + 1)));
}

TEST(LinkLabel, FittedUnderlinedWithTooltipAndHandThenOpensThroughTheHtmHandler)
{
    HtmAssociation association;
    RecordingHost host;
    CLinkLabel::ShellOpen shellOpen; // the shell's answer for the link; the real shell when empty
    win32::Modeless<CAboutDlg> dialog([&shellOpen](const std::string& target, int show) {
        return shellOpen ? shellOpen(target, show) : CLinkLabel::SystemShellOpen(target, show);
    });
    ASSERT_TRUE(dialog.CreateModeless());
    CLinkLabel& link = dialog.WebsiteLink();
    const HWND control = link.hwnd();
    ASSERT_EQ(control, dialog.Item(IDC_LINK_WEBSITE));
    EXPECT_TRUE(GetWindowLongPtrA(control, GWL_STYLE) & SS_NOTIFY);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
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
    EXPECT_EQ(TooltipText(link), link.Target());
    link.SetLinkColours(RGB(1, 2, 3), RGB(4, 5, 6), static_cast<COLORREF>(-1));
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(link.TextColour(), GetSysColor(COLOR_HIGHLIGHT)) << "-1 is the highlight colour";
    ReleaseCapture();
    ASSERT_NE(link.Cursor(), nullptr) << "neither the help program's hand nor the system's";
    SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), link.Cursor());

    // The shell cannot open it: the handler's command runs with the target in place of "%1".
    ScratchDir scratch("link_label");
    const std::string marker = scratch.File("marker.txt");
    PlantHtmHandler("cmd.exe /c echo>\"" + marker + "\" \"%1\" dropped-argument");
    int shown = -1;
    shellOpen = [&shown](const std::string&, int show) {
        shown = show;
        return INT_PTR{2};
    };
    link.SetTarget("tidewell-link-target");
    EXPECT_EQ(TooltipText(link), "tidewell-link-target");
    const auto click = [control] {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    };
    click();
    EXPECT_EQ(shown, SW_SHOW);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(link.Visited());
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(marker).find('\n') != std::string::npos; }, 10000));
    const std::string written = ReadWholeFile(marker);
    EXPECT_NE(written.find("tidewell-link-target"), std::string::npos) << written;
    EXPECT_EQ(written.find("dropped-argument"), std::string::npos) << written;

    // A handler command that cannot run: the message gives WinExec's code, not the shell's.
    PlantHtmHandler("Z:\\no\\such\\browser.exe \"%1\"");
    shellOpen = [](const std::string&, int) { return INT_PTR{31}; };
    const INT_PTR code = link.OpenTarget("https://example.org/", SW_SHOW);
    EXPECT_LE(code, 32);
    EXPECT_NE(code, 31);
    click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, HyperlinkErrorMessage(static_cast<long>(code)));
    EXPECT_EQ(host.boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    // No handler: the shell's own code.
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
    shellOpen = nullptr;
    const INT_PTR shellCode = link.OpenTarget("Z:\\no\\such\\folder\\page.tidewell", SW_SHOW);
    EXPECT_TRUE(shellCode == SE_ERR_FNF || shellCode == SE_ERR_PNF) << shellCode;
}

} // namespace
