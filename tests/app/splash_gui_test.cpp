#include "app/splash_dlg_win.h"

#include <gtest/gtest.h>

#include "app/administrator_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::PumpUntil;

TEST(Splash, ClosesByItselfWithinItsTime)
{
    win32::Modeless<CSplashDlg> splash;
    ASSERT_TRUE(splash.CreateModeless());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return splash.hwnd() == nullptr; }, 5000));
    EXPECT_GE(GetTickCount() - start, 1000u) << "stays up for its moment";
    EXPECT_EQ(splash.Result(), IDOK);
}

TEST(Splash, ClickOrKeyClosesAtOnce)
{
    for (UINT msg : {WM_LBUTTONDOWN, WM_KEYDOWN}) {
        win32::Modeless<CSplashDlg> splash;
        ASSERT_TRUE(splash.CreateModeless());
        SendMessageA(splash.hwnd(), msg, 0, 0);
        EXPECT_EQ(splash.hwnd(), nullptr) << "message " << msg;
    }
    win32::Modeless<CSplashDlg> clicked;
    ASSERT_TRUE(clicked.CreateModeless());
    HWND picture = GetWindow(clicked.hwnd(), GW_CHILD);
    SendMessageA(clicked.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), STN_CLICKED),
                 reinterpret_cast<LPARAM>(picture));
    EXPECT_EQ(clicked.hwnd(), nullptr) << "a click on the picture";
}

// The test run is an administrator; the same thread impersonating a token whose Administrators
// group is deny-only is not.
TEST(Administrator, MembershipFollowsTheToken)
{
    EXPECT_TRUE(IsAdministrator());
    HANDLE process = nullptr, restricted = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process));
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &sidSize));
    SID_AND_ATTRIBUTES denied{sid, 0};
    ASSERT_TRUE(CreateRestrictedToken(process, 0, 1, &denied, 0, nullptr, 0, nullptr, &restricted));
    ASSERT_TRUE(ImpersonateLoggedOnUser(restricted));
    const bool restrictedIsAdministrator = IsAdministrator();
    RevertToSelf();
    CloseHandle(restricted);
    CloseHandle(process);
    EXPECT_FALSE(restrictedIsAdministrator);
}

} // namespace
