// The main window on today's desktop, as the user meets it: Windows' colour modes switched while
// windows are open, and the hotkey that cleans, with another program holding a combination.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/cleaning/history_dlg_win.h"
#include "common/resource_text.h"
#include "history/history_store_win.h"
#include "memory/cleaning_methods.h"
#include "support/child_process_win.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::MainDlgTest;
using testing_support::PumpUntil;

constexpr char kPersonalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

COLORREF PixelOf(HWND window, int x, int y)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return GetPixel(win32::WindowDc(window).get(), x, y);
}

// Windows' two switches, set as Settings sets them and then announced to every window, in UTF-16
// as Settings does.
void SwitchModes(bool lightApps, bool lightTaskbar)
{
    testing_support::WriteDword(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme", lightApps);
    testing_support::WriteDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme", lightTaskbar);
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

// The main window widened and the History window open: both go dark and come back light, the
// monitor keeping its colours. The tray picture's badge (amber at the pretended 61 % in use) gets
// a black rim on the light taskbar only, and its figure is black on either.
TEST_F(MainDlgTest, FollowsWindowsColourModesWhileOpen)
{
    testing_support::RegistrySnapshot personalize(HKEY_CURRENT_USER, kPersonalize);
    SwitchModes(true, true);
    Open();
    ShowWindow(Window(), SW_SHOWNA);
    Command(IDC_TAB_BUTTON);
    win32::Modeless<CHistoryDlg> history;
    ASSERT_TRUE(history.CreateModeless());
    ShowWindow(history.hwnd(), SW_SHOWNA);
    const auto& title = dynamic_cast<CColorStatic&>(*controls::ControlWindow::FromHandle(Item(IDC_TITLE1)));
    for (const bool light : {false, true}) {
        SCOPED_TRACE(light ? "light" : "dark");
        SwitchModes(light, light);
        const COLORREF field = light ? RGB(215, 215, 215) : RGB(32, 32, 32);
        EXPECT_EQ(PixelOf(Window(), 2, 2), field);
        EXPECT_EQ(PixelOf(history.hwnd(), 2, 2), field);
        win32::WindowDc dc(Window());
        SendMessageA(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                     reinterpret_cast<LPARAM>(Item(IDC_CHECKSOUND)));
        EXPECT_EQ(GetTextColor(dc.get()), light ? RGB(0, 0, 0) : RGB(240, 240, 240)) << "a settings check box";
        EXPECT_EQ(ListView_GetBkColor(history.Item(IDC_HISTORY_LIST)), light ? GetSysColor(COLOR_WINDOW) : RGB(32, 32, 32));
        EXPECT_EQ(title.TextColour(), RGB(19, 238, 255));

        DibCanvas tray(16, 16);
        tray.Clear(controls::Rgb(255, 255, 255));
        DrawIconEx(tray.dc(), 0, 0, dialog_->Tray().IconData().hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(tray.At(8, 0) == controls::Rgb(0, 0, 0), light) << "the rim";
        int figure = 0; // black on the badge, not a hole the taskbar shows through
        for (int y = 7; y < 15; ++y)
            for (int x = 2; x < 14; ++x)
                figure += tray.At(x, y) == controls::Rgb(0, 0, 0);
        EXPECT_GT(figure, 8);
    }
}

// Ctrl+Alt+F9 set and saved, then pressed for real: held, stored, and the tray's organise runs,
// recorded as the hotkey's. Ctrl+Shift+F9, which another program holds: refused by name, nothing
// stored, Ctrl+Alt+F9 still held.
TEST_F(MainDlgTest, HotkeyCleansAndOneHeldElsewhereIsRefused)
{
    const auto heldElsewhere = [](UINT modifiers, UINT key) {
        if (!RegisterHotKey(nullptr, 0x7FFF, modifiers, key))
            return true;
        UnregisterHotKey(nullptr, 0x7FFF);
        return false;
    };
    Open();
    const HWND control = Item(IDC_CLEAN_HOTKEY);
    EXPECT_EQ(SendMessageA(control, HKM_GETHOTKEY, 0, 0), 0) << "none by default";
    SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    Command(IDC_CLEAN_HOTKEY, EN_CHANGE);
    Command(IDC_BUTTONSAVERAM);
    EXPECT_EQ(Stored(kCleanHotkey), MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_TRUE(heldElsewhere(MOD_CONTROL | MOD_ALT, VK_F9));

    const size_t before = ReadHistory(HistoryFolder()).records.size();
    constexpr WORD kPressed[] = {VK_CONTROL, VK_MENU, VK_F9};
    INPUT keys[6] = {}; // down in that order, then up the other way round
    for (int i = 0; i < 6; ++i)
        keys[i] = {INPUT_KEYBOARD, {.ki = {kPressed[i < 3 ? i : 5 - i], 0, i < 3 ? 0u : KEYEVENTF_KEYUP, 0, 0}}};
    ASSERT_EQ(SendInput(6, keys, sizeof(INPUT)), 6u);
    ASSERT_TRUE(PumpUntil([] { return CleanState.busy.load(); })) << "the hotkey started no clean";
    ASSERT_TRUE(PumpUntil([] { return !CleanState.busy.load(); }, 20000));
    MinuteAfterLastClean();
    const std::vector<CleanRecord> records = ReadHistory(HistoryFolder()).records;
    ASSERT_EQ(records.size(), before + 1);
    EXPECT_EQ(records.back().trigger, CleanTrigger::Hotkey);

    testing_support::ChildProcess holder(
        "\"" + (testing_support::TestProgramFolder() / "sleeper_child.exe").string() + "\" hotkey 6 " +
        std::to_string(VK_F9));
    ASSERT_TRUE(PumpUntil([&] { return heldElsewhere(MOD_CONTROL | MOD_SHIFT, VK_F9); }));
    Click(IDC_CHECKSOUND);
    SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
    Command(IDC_BUTTONSAVERAM);
    ASSERT_FALSE(host_.boxes.empty());
    // The keys by the keyboard's names: Wine says "Control" where Windows says "Ctrl".
    const std::string pattern = UiText("strHotkeyTaken"), said = host_.boxes.back().text;
    EXPECT_EQ(said.substr(0, pattern.find("{0}")), pattern.substr(0, pattern.find("{0}")));
    EXPECT_NE(said.find(" + Shift + F9: "), std::string::npos) << said;
    EXPECT_EQ(Stored(kCleanHotkey), MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_EQ(Stored(kSoundAlert), 1u) << "the sound's change was not saved either";
    EXPECT_TRUE(Enabled(IDC_BUTTONSAVERAM));
    EXPECT_TRUE(heldElsewhere(MOD_CONTROL | MOD_ALT, VK_F9));

    // Stored earlier and taken by the time the window opens: said once, and a Save of the other
    // settings still goes through.
    const DWORD taken = MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    ASSERT_TRUE(testing_support::WriteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kCleanHotkey, REG_DWORD, &taken, sizeof taken));
    Open();
    const std::string held = UiText("strHotkeyHeld");
    EXPECT_EQ(dialog_->Tray().LastNotice().substr(0, held.find("{0}")), held.substr(0, held.find("{0}")));
    Click(IDC_CHECKSOUND);
    Command(IDC_BUTTONSAVERAM);
    ASSERT_FALSE(host_.boxes.empty());
    EXPECT_EQ(host_.boxes.back().text, UiText("strSaveLogMessage"));
    EXPECT_EQ(Stored(kSoundAlert), 0u);
}

} // namespace
