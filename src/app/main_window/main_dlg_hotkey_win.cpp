// The hotkey that cleans: none until the user sets one; then held for the window while it lives and
// running the tray's organise command. A combination another program holds is refused, and nothing
// is stored.
#include "app/main_window/main_dlg_win.h"

#include <commctrl.h>

#include <vector>

#include "app/settings/clean_hotkey.h"
#include "app/settings/settings_win.h"
#include "common/resource_text.h"
#include "memory/cleaning_methods.h"
#include "resources/resource.h"
#include "win32/common_controls.h"
#include "win32/program_name.h"
#include "win32/ui_host.h"

namespace {

// As the hotkey control shows it, in the keyboard's language.
std::string HotkeyShown(uint32_t stored)
{
    const CleanHotkey hotkey = HotkeyFromStored(stored);
    std::vector<std::string> names;
    if (hotkey.modifiers & MOD_CONTROL)
        names.push_back(win32::KeyName(VK_CONTROL, false));
    if (hotkey.modifiers & MOD_SHIFT)
        names.push_back(win32::KeyName(VK_SHIFT, false));
    if (hotkey.modifiers & MOD_ALT)
        names.push_back(win32::KeyName(VK_MENU, false));
    names.push_back(win32::KeyName(hotkey.key, hotkey.extended));
    return HotkeyText(names);
}

} // namespace

DWORD CMainDlg::HoldHotkey(uint32_t stored)
{
    const CleanHotkey hotkey = HotkeyFromStored(stored);
    if (hotkey.key == 0) {
        hotkey_.Release();
        return ERROR_SUCCESS;
    }
    return hotkey_.Register(hwnd(), kCleanHotkeyId, hotkey.modifiers, hotkey.key);
}

void CMainDlg::SetUpHotkey()
{
    const HWND control = Item(IDC_CLEAN_HOTKEY);
    // A key alone, or with Shift alone, would be taken from typing: such a choice gets Ctrl+Alt.
    SendMessageA(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    storedHotkey_ = ReadCleanHotkey();
    SendMessageA(control, HKM_SETHOTKEY, storedHotkey_ & 0xFFFF, 0);
    // Taken by another program since it was stored: said once; the setting stays for the next start.
    if (HoldHotkey(storedHotkey_) != ERROR_SUCCESS)
        tray_.ShowNotice(win32::kProgramName, FillPlaceholders(UiText("strHotkeyHeld"), {HotkeyShown(storedHotkey_)}));
}

bool CMainDlg::ApplyHotkey()
{
    const HWND control = Item(IDC_CLEAN_HOTKEY);
    const auto chosen = static_cast<uint32_t>(SendMessageA(control, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    if (chosen == storedHotkey_) {
        // Unchanged (or an organisation's): one taken at start is tried again, but it never holds
        // the other settings back.
        if (!hotkey_.Held())
            HoldHotkey(chosen);
        return true;
    }
    if (HoldHotkey(chosen) != ERROR_SUCCESS) {
        HoldHotkey(storedHotkey_); // the stored one stays in use
        win32::MessageBoxText(hwnd(), FillPlaceholders(UiText("strHotkeyTaken"), {HotkeyShown(chosen)}),
                              UiText("strDeleteBootItem"), MB_ICONEXCLAMATION);
        SetFocus(control);
        return false;
    }
    storedHotkey_ = chosen;
    WriteCleanHotkey(chosen);
    return true;
}

void CMainDlg::OrganiseFromHotkey()
{
    StartOrganise(win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).Position(), CleanTrigger::Hotkey);
}
