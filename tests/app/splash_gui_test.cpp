#include "app/dialogs/splash_dlg_win.h"

#include <gtest/gtest.h>

#include "app/administrator_win.h"

namespace {

// Its timed close is walked by every real start of the program (MainAppTest).
TEST(Splash, ClosesAtOnceOnAClickOrAKey)
{
    for (UINT msg : {WM_LBUTTONDOWN, WM_KEYDOWN, WM_COMMAND}) {
        win32::Modeless<CSplashDlg> splash;
        ASSERT_TRUE(splash.CreateModeless());
        HWND picture = GetWindow(splash.hwnd(), GW_CHILD);
        const WPARAM clicked = MAKEWPARAM(GetDlgCtrlID(picture), STN_CLICKED);
        SendMessageA(splash.hwnd(), msg, msg == WM_COMMAND ? clicked : 0, reinterpret_cast<LPARAM>(picture));
        EXPECT_EQ(splash.hwnd(), nullptr) << "message " << msg;
        EXPECT_EQ(splash.Result(), IDOK);
    }
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
