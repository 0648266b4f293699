#include "app/about_dlg_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "win32/handles.h"

namespace {

using namespace testing_support;

COLORREF LinkColour(const CAboutDlg& dialog, int id)
{
    win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    SendMessageA(dialog.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
    return GetTextColor(dc.get());
}

TEST(AboutDlg, LinksAreBlueRedWhenVisitedAndPinkUnderTheMouse)
{
    std::string opened;
    win32::Modeless<CAboutDlg> dialog([&](const std::string& target, int) {
        opened = target;
        return INT_PTR{33};
    });
    ASSERT_TRUE(dialog.CreateModeless());
    const std::string mail = UiText("ActiveMail");
    ASSERT_GT(mail.size(), 7u);
    EXPECT_EQ(dialog.GetItemText(IDC_LINK_MAIL), mail.substr(7)) << "shown without its mailto:";
    EXPECT_EQ(dialog.GetItemText(IDC_LINK_WEBSITE), UiText("ActiveWebsite"));
    EXPECT_EQ(dialog.WebsiteLink().Target(), UiText("ActiveWebsite"));
    EXPECT_NE(SendMessageA(dialog.Item(IDC_ABOUT_LOGO), STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "the logo";
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(0, 0, 255));
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(0, 0, 255));

    HWND website = dialog.Item(IDC_LINK_WEBSITE);
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(GetCapture(), website);
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(0, 0, 255));
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(255, 100, 100)) << "still inside";
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(0, 0, 255));

    SendMessageA(dialog.Item(IDC_LINK_MAIL), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(dialog.Item(IDC_LINK_MAIL), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(dialog.Item(IDC_LINK_MAIL), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(opened, UiText("ActiveMail")) << "the whole text, not what the link shows";
    EXPECT_TRUE(dialog.MailLink().Visited());
    EXPECT_FALSE(dialog.MailLink().Over()) << "a click clears the hover";
    EXPECT_EQ(GetCapture(), dialog.Item(IDC_LINK_MAIL)) << "without releasing the capture";
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(255, 0, 0));
    ReleaseCapture();

    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog.hwnd()));
    EXPECT_EQ(dialog.Result(), IDOK);
}

std::string_view ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found)
        return {};
    return {static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
            SizeofResource(nullptr, found)};
}

// "a.b.c.d" from the fixed part of the version resource.
std::string FixedProductVersion()
{
    const std::string_view bytes = ResourceBytes(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    const DWORD signature = 0xFEEF04BD;
    const size_t at = bytes.find(std::string_view(reinterpret_cast<const char*>(&signature), 4));
    if (at == std::string_view::npos)
        return {};
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes.data() + at, sizeof info);
    return std::to_string(HIWORD(info.dwProductVersionMS)) + "." + std::to_string(LOWORD(info.dwProductVersionMS)) +
           "." + std::to_string(HIWORD(info.dwProductVersionLS)) + "." + std::to_string(LOWORD(info.dwProductVersionLS));
}

TEST(AboutDlg, ShowsTheVersionTheResourcesAndManifestCarry)
{
    CAboutDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    const std::string shown = dialog.GetItemText(IDC_STATIC_VERSION);
    ASSERT_EQ(shown.substr(0, 1), "V");
    const std::string dotted = shown.substr(1) + ".0";
    EXPECT_EQ(FixedProductVersion(), dotted);
    const std::string_view manifest = ResourceBytes(MAKEINTRESOURCEA(1), RT_MANIFEST);
    EXPECT_NE(manifest.find("name=\"Tidewell\" version=\"" + dotted + "\""), std::string_view::npos);
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
}

TEST(AboutDlg, RunsModalAndClosesWithOk)
{
    static CAboutDlg* running = nullptr;
    CAboutDlg dialog;
    running = &dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (running->hwnd() && running->WebsiteLink().hwnd())
            PostMessageA(running->hwnd(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.RunModalLoop(nullptr), IDOK);
    KillTimer(nullptr, timer);
    EXPECT_EQ(dialog.WebsiteLink().hwnd(), nullptr) << "the links let go of their controls";
    EXPECT_EQ(dialog.MailLink().Tooltip(), nullptr);
}

} // namespace
