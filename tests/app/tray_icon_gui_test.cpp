#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/tray_icon_win.h"
#include "resources/resource.h"
#include "support/child_process_win.h"
#include "support/message_pump_win.h"
#include "win32/handles.h"

using testing_support::PumpUntil;

namespace {

// The main window's part: hands tray messages to the icon, records the commands it receives.
class TrayOwner {
public:
    TrayOwner()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TidewellTrayOwner";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "Tidewell", WS_POPUP, 600, 600, 50, 50, nullptr, nullptr,
                               wc.hInstance, this);
    }
    ~TrayOwner() { DestroyWindow(hwnd); }

    HWND hwnd = nullptr;
    CTrayIcon tray;
    std::vector<UINT> commands;
    std::vector<LPARAM> notifications;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<TrayOwner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            if (msg == WM_TRAY_NOTIFY)
                self->notifications.push_back(lp);
            LRESULT result = 0;
            if (self->tray.HandleOwnerMessage(msg, wp, lp, result))
                return result;
            if (msg == WM_COMMAND)
                self->commands.push_back(LOWORD(wp));
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
};

HICON TrayPicture()
{
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY_LOW_USE));
}

// Is the icon still in the shell's area? A modify fails for an icon the shell does not know.
bool ShellKnows(const CTrayIcon& tray)
{
    NOTIFYICONDATAA probe = tray.IconData();
    probe.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

TEST(TrayIcon, ReturnValuesNotificationsAndShellRestart)
{
    TrayOwner owner;
    CTrayIcon& tray = owner.tray;
    EXPECT_EQ(tray.SetIcon(TrayPicture()), 0) << "nothing before creation";
    EXPECT_EQ(tray.SetTooltipText("x"), 0);
    EXPECT_EQ(tray.RemoveIcon(), 0);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(tray.Create(gone, WM_TRAY_NOTIFY, "Tidewell", TrayPicture(), IDR_TRAY_MENU), 0);
    EXPECT_FALSE(tray.IsEnabled());

    HICON drawn = CopyIcon(TrayPicture());
    ASSERT_NE(tray.Create(owner.hwnd, WM_TRAY_NOTIFY, "Tidewell", drawn, IDR_TRAY_MENU), 0);
    DestroyIcon(drawn); // the caller may destroy its picture at once
    EXPECT_EQ(tray.IconData().cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_TRUE(ShellKnows(tray));
    EXPECT_NE(tray.SetIcon(TrayPicture()), 0);
    EXPECT_NE(tray.SetIconResource(IDI_BUSY), 0);
    EXPECT_NE(tray.SetTooltipText(std::string(100, 'm')), 0);
    EXPECT_EQ(std::string(tray.IconData().szTip), std::string(63, 'm')) << "cut to the shell's field";

    EXPECT_EQ(tray.OnTrayNotification(IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK), 0) << "another icon";
    for (LPARAM mouse : {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE})
        EXPECT_EQ(tray.OnTrayNotification(IDR_TRAY_MENU, mouse), 1) << mouse;
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(SendMessageA(owner.hwnd, WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(owner.commands, std::vector<UINT>{ID_TRAY_SHOW}) << "the double click runs the first item";

    // The shell loses its icons (as when explorer restarts), then announces itself.
    tray.SetTooltipText("before the restart");
    NOTIFYICONDATAA lost = tray.IconData();
    lost.uFlags = 0;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
    SendMessageA(owner.hwnd, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(ShellKnows(tray));
    EXPECT_STREQ(tray.IconData().szTip, "before the restart");

    EXPECT_NE(tray.RemoveIcon(), 0);
    EXPECT_FALSE(ShellKnows(tray));
    EXPECT_EQ(tray.RemoveIcon(), 0) << "the shell is called once";
    EXPECT_EQ(tray.SetTooltipText("x"), 0);
    SendMessageA(owner.hwnd, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(ShellKnows(tray)) << "a removed icon stays removed";
}

// ---- The real right click --------------------------------------------------------------------

bool RunningUnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs /usr/bin/xdotool through Wine's start.exe and waits for it, at most `timeoutMs`.
bool RunXdotool(const std::string& arguments, DWORD timeoutMs = 5000)
{
    testing_support::ChildProcess xdotool("start.exe /wait /unix /usr/bin/xdotool " + arguments, CREATE_NO_WINDOW);
    return xdotool.ExitCode(timeoutMs) == 0;
}

// Centre of our icon in Wine's standalone tray window: icons are laid out from its left edge.
bool FindTrayIcon(POINT& where)
{
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    if (!tray || !IsWindowVisible(tray))
        return false;
    RECT client;
    GetClientRect(tray, &client);
    where = POINT{client.bottom / 2, client.bottom / 2}; // square icon cells
    if (!ClientToScreen(tray, &where))
        return false;
    // A window left over at the top left would take the click: lift the tray above it.
    if (GetAncestor(WindowFromPoint(where), GA_ROOT) != tray)
        SetWindowPos(tray, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return GetAncestor(WindowFromPoint(where), GA_ROOT) == tray;
}

struct MenuSeen {
    std::vector<std::string> texts;
    int defaultItem = -1;
    bool clicked = false;
};

HWND WaitForPopupMenu(DWORD deadline, const std::atomic<bool>& done)
{
    while (!done && GetTickCount() < deadline) {
        HWND menuWindow = FindWindowA("#32768", nullptr);
        if (menuWindow && IsWindowVisible(menuWindow))
            return menuWindow;
        Sleep(20);
    }
    return nullptr;
}

// On a helper thread: waits for the pop-up menu, reads it, and clicks the item at `position`.
// Closes the menu when the deadline passes, so the test cannot hang in the menu loop.
void ChooseFromMenu(int position, DWORD deadline, const std::atomic<bool>& done, MenuSeen& seen)
{
    if (HWND menuWindow = WaitForPopupMenu(deadline, done)) {
        auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            seen.texts.push_back(text);
        }
        seen.defaultItem = static_cast<int>(GetMenuDefaultItem(menu, TRUE, 0));
        RECT item{};
        if (GetMenuItemRect(nullptr, menu, position, &item)) {
            const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
            seen.clicked = RunXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        }
    }
    while (!done && GetTickCount() < deadline)
        Sleep(20);
    if (!done)
        EndMenu();
}

TEST(TrayIcon, RealRightClickOpensTheMenuAndChoosesAnItem)
{
    if (!RunningUnderWine() || GetFileAttributesA("Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "needs Wine's standalone tray and xdotool";
    TrayOwner owner;
    ASSERT_NE(owner.tray.Create(owner.hwnd, WM_TRAY_NOTIFY, "Tidewell", TrayPicture(), IDR_TRAY_MENU), 0);
    POINT icon{};
    ASSERT_TRUE(PumpUntil([&] { return FindTrayIcon(icon); }, 10000)) << "Wine's tray window did not appear, or is covered";

    std::atomic<bool> done{false};
    MenuSeen seen;
    const DWORD deadline = GetTickCount() + 20000;
    std::thread helper([&] {
        if (RunXdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3"))
            ChooseFromMenu(2, deadline, done, seen);
    });
    const bool chosen = PumpUntil([&] { return !owner.commands.empty(); }, 20000);
    done = true;
    helper.join();

    EXPECT_FALSE(owner.notifications.empty()) << "the click reached the owner as the callback message";
    ASSERT_EQ(seen.texts.size(), 13u) << "the menu was shown";
    EXPECT_EQ(seen.defaultItem, 0) << "the first item is the default";
    EXPECT_TRUE(seen.clicked);
    ASSERT_TRUE(chosen) << "no command arrived";
    EXPECT_EQ(owner.commands, std::vector<UINT>{ID_TRAY_STARTUP});
}

} // namespace
