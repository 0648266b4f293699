#include "app/about_dlg_win.h"

#include <gtest/gtest.h>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "version.h"
#include "win32/handles.h"

namespace {

COLORREF LinkColour(const CAboutDlg& dialog, int id)
{
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SendMessageA(dialog.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
    return GetTextColor(dc.get());
}

TEST(AboutDlg, ShowsTheProgramsVersionAndLinksThatHoverOpenAndLetGo)
{
    std::string opened;
    win32::Modeless<CAboutDlg> dialog([&](const std::string& target, int) {
        opened = target;
        return INT_PTR{33};
    });
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(dialog.GetItemText(IDC_STATIC_VERSION), "V" TIDEWELL_VERSION_TEXT);
    EXPECT_EQ(dialog.GetItemText(IDC_LINK_MAIL), UiText("ActiveMail").substr(7)) << "shown without its mailto:";
    EXPECT_EQ(dialog.WebsiteLink().Target(), dialog.GetItemText(IDC_LINK_WEBSITE));
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(0, 0, 255));
    HWND website = dialog.Item(IDC_LINK_WEBSITE);
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetCapture(), website);
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(255, 100, 100)) << "under the mouse";
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(0, 0, 255));
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(0, 0, 255));

    HWND mail = dialog.Item(IDC_LINK_MAIL);
    SendMessageA(mail, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(mail, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(mail, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(opened, UiText("ActiveMail")) << "the whole target, not what the link shows";
    EXPECT_FALSE(dialog.MailLink().Over()) << "a click clears the hover";
    EXPECT_EQ(GetCapture(), mail) << "without releasing the capture";
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(255, 0, 0)) << "visited";
    ReleaseCapture();

    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.WebsiteLink().hwnd(), nullptr) << "the links let go of their controls";
    EXPECT_EQ(dialog.MailLink().Tooltip(), nullptr);
}

} // namespace
