// The tray icon through its life, with the pictures the resident hands it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "app/tray/tray_icon_win.h"
#include "app/tray/tray_picture_win.h"
#include "common/clock.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using TrayIcon = testing_support::MainDlgTest;

// Chooses the tray menu's third item with the keyboard once it opens, and notes its default item.
int menuDefault = -2;
LRESULT CALLBACK ChooseThirdItem(int code, WPARAM wp, LPARAM lp)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
        menuDefault = static_cast<int>(GetMenuDefaultItem(reinterpret_cast<HMENU>(call->wParam), TRUE, 0));
        for (WPARAM key : {VK_DOWN, VK_DOWN}) // the first item, then past the separator
            PostMessageA(call->hwnd, WM_KEYDOWN, key, 0);
        PostMessageA(call->hwnd, WM_CHAR, '\r', 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// A modify fails for an icon the shell does not know.
bool ShellKnows(const CTrayIcon& tray)
{
    NOTIFYICONDATAA probe = tray.IconData();
    probe.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

// Pixels that differ between two icons drawn at `size`, in rows top to bottom.
int Differences(HICON a, HICON b, int size, int top, int bottom)
{
    DibCanvas first(size, size), second(size, size);
    for (auto [icon, canvas] : {std::pair{a, &first}, std::pair{b, &second}}) {
        canvas->Clear(controls::Rgb(255, 0, 255));
        DrawIconEx(canvas->dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < size; ++x)
            n += first.At(x, y) != second.At(x, y);
    return n;
}

// The resident's own icon answers the clicks; a second one on its window takes the pictures.
TEST_F(TrayIcon, LivesThroughPicturesClicksAShellRestartAndItsRemoval)
{
    Open();
    const HWND owner = Window();
    CTrayIcon tray;
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(tray.Create(gone, WM_APP, "Tidewell", nullptr, IDR_TRAY_MENU), 0);

    // Pictures by free memory from one painter, as the resident makes them: the base icon by use
    // above, the number below, nothing left of the picture before, at the tray's size.
    CTrayPicturePainter painter;
    const struct {
        int avail, icon, size;
    } pictures[] = {{200, IDI_TRAY_LOW_USE, 16}, {100, IDI_TRAY_MID_USE, 24}, {40, IDI_TRAY_HIGH_USE, 32},
                    {200, IDI_TRAY_LOW_USE, 32}};
    for (const auto& p : pictures) {
        const MemoryStatus status{p.avail, 256, 0, 0};
        win32::UniqueIcon picture(painter.Build(owner, status, p.size));
        win32::UniqueIcon alone(BuildTrayPicture(owner, status, p.size));
        win32::UniqueIcon base(static_cast<HICON>(
            LoadImageA(win32::ResourceModule(), MAKEINTRESOURCEA(p.icon), IMAGE_ICON, p.size, p.size, 0)));
        EXPECT_EQ(Differences(picture.get(), alone.get(), p.size, 0, p.size), 0) << p.avail;
        // The soft edge of the base is drawn on black, so a few pixels differ above the number.
        const int above = p.size * 5 / 16;
        EXPECT_LT(Differences(picture.get(), base.get(), p.size, 0, above) * 3, p.size * above) << p.avail;
        win32::UniqueIcon other(BuildTrayPicture(owner, {p.avail - 10, 256, 0, 0}, p.size)); // same base
        EXPECT_GT(Differences(picture.get(), other.get(), p.size, p.size * 3 / 8, p.size), 0) << "the number";
        if (!tray.IsEnabled()) {
            ASSERT_NE(tray.Create(owner, WM_APP, "Tidewell", picture.get(), IDR_TRAY_MENU + 2), 0);
            picture.reset(); // the caller may destroy its picture at once
            EXPECT_EQ(Differences(tray.IconData().hIcon, alone.get(), p.size, 0, p.size), 0) << "the tray keeps a copy";
        }
    }
    // A picture asked for again is the one made before; the one the tray shows lives on after the
    // painter has let it go for newer ones, and is made anew when asked for then.
    const MemoryStatus shown{100, 256, 0, 0};
    const std::string named = TrayPictureName(shown, 16);
    auto picture = painter.Picture(owner, shown, 16);
    const auto* made = picture.get();
    EXPECT_EQ(painter.Picture(owner, shown, 16).get(), made);
    ASSERT_NE(tray.SetIcon(std::move(picture), named), 0);
    EXPECT_TRUE(tray.ShowsPicture(named));
    for (int avail = 101; avail < 131; ++avail)
        painter.Picture(owner, {avail, 256, 0, 0}, 16);
    EXPECT_NE(painter.Picture(owner, shown, 16).get(), made);
    ICONINFO kept{};
    ASSERT_TRUE(GetIconInfo(tray.IconData().hIcon, &kept)) << "the tray's picture was destroyed";
    DeleteObject(kept.hbmColor);
    DeleteObject(kept.hbmMask);
    EXPECT_NE(tray.SetIconResource(IDI_BUSY), 0);
    EXPECT_FALSE(tray.ShowsPicture(named));
    const HICON busy = tray.IconData().hIcon;
    EXPECT_NE(tray.SetIconResource(IDI_BUSY), 0);
    EXPECT_EQ(tray.IconData().hIcon, busy) << "shown already: not handed again";
    uint32_t now = 1000;
    SetTickCountSource([&] { return now; });
    EXPECT_NE(tray.SetTooltipText(std::string(100, 'm')), 0);
    EXPECT_EQ(std::string(tray.IconData().szTip), std::string(63, 'm')) << "cut to the shell's field";

    // A changed tooltip waits while no one is at the icon; the mouse over it brings the latest at
    // once, and while the user stays every change goes.
    const auto tip = [&] { return std::string(tray.IconData().szTip); };
    const auto at = [&](UINT event) { tray.OnTrayNotification(0, MAKELPARAM(event, IDR_TRAY_MENU + 2)); };
    now += 100;
    EXPECT_NE(tray.SetTooltipText("CPU:1%"), 0);
    EXPECT_NE(tray.SetTooltipText("CPU:2%"), 0);
    EXPECT_EQ(tip(), std::string(63, 'm'));
    EXPECT_TRUE(ShellKnows(tray));
    at(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(tip(), std::string(63, 'm')) << "a balloon is not the user at the icon";
    at(WM_MOUSEMOVE);
    EXPECT_EQ(tip(), "CPU:2%");
    now += TooltipPace::kLookMs - 200;
    tray.SetTooltipText("CPU:3%");
    EXPECT_EQ(tip(), "CPU:3%");
    now += 400;
    tray.SetTooltipText("CPU:4%");
    EXPECT_EQ(tip(), "CPU:3%") << "the user has gone";
    now += TooltipPace::kRestMs;
    tray.SetTooltipText("CPU:5%");
    EXPECT_EQ(tip(), "CPU:5%") << "a resting tooltip is still brought up to date";

    // Wine's shell speaks the protocol with the keyboard's events. Clicks and keys as it reports
    // them: a single click does nothing, the double click and Enter or Space on the icon run the
    // first item (show), the menu key opens the menu with the first item as its default, and the
    // item chosen comes back.
    const auto notify = [owner](UINT icon, UINT event) {
        SendMessageA(owner, WM_TRAY_NOTIFY, MAKEWPARAM(40, 40), MAKELPARAM(event, icon));
    };
    for (const UINT event : {WM_LBUTTONDBLCLK, NIN_KEYSELECT, NIN_SELECT}) {
        ShowWindow(owner, SW_HIDE);
        notify(IDR_TRAY_MENU + 1, event);
        EXPECT_FALSE(IsWindowVisible(owner)) << "another icon";
        notify(IDR_TRAY_MENU, event);
        EXPECT_EQ(IsWindowVisible(owner) != FALSE, event != NIN_SELECT) << std::hex << event;
    }
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, ChooseThirdItem, nullptr, GetCurrentThreadId());
    const UINT_PTR deadline = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    notify(IDR_TRAY_MENU, WM_CONTEXTMENU);
    KillTimer(nullptr, deadline);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ModalCount(IDD_AUTORUN_DIALOG) == 1; }))
        << "the chosen item (startup) posts";
    EXPECT_EQ(menuDefault, 0);

    // The shell loses its icons (as when explorer restarts), then announces itself.
    NOTIFYICONDATAA lost = dialog_->Tray().IconData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
    SendMessageA(owner, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(ShellKnows(dialog_->Tray()));
    EXPECT_NE(dialog_->Tray().RemoveIcon(), 0);
    EXPECT_FALSE(ShellKnows(dialog_->Tray()));
    SendMessageA(owner, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(ShellKnows(dialog_->Tray())) << "a removed icon stays removed";
}

} // namespace
