// The interface's language, chosen in the window's box or the tray's submenu: stored, and every
// text the window and the tray show is taken again at once. Windows opened afterwards read it
// themselves.
#include "app/main_window/main_dlg_win.h"

#include "app/settings/language_setting_win.h"
#include "common/interface_language_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "win32/common_controls.h"

void CMainDlg::SetUpLanguages()
{
    const win32::ComboBox box(Item(IDC_LANGUAGE_COMBO));
    box.Clear();
    const std::string spoken = InterfaceLanguage();
    const std::vector<LanguageFile> languages = AvailableLanguages();
    for (size_t i = 0; i < languages.size(); ++i) {
        box.AddString(languages[i].name);
        if (languages[i].folder == spoken)
            box.Select(static_cast<int>(i));
    }
}

void CMainDlg::LanguageChosenInBox()
{
    const std::vector<LanguageFile> languages = AvailableLanguages();
    const int chosen = win32::ComboBox(Item(IDC_LANGUAGE_COMBO)).Selection();
    if (chosen < 0 || chosen >= static_cast<int>(languages.size()))
        return;
    ChooseLanguage(languages[static_cast<size_t>(chosen)].folder);
    ApplyLanguage();
}

bool CMainDlg::LanguageChosenInTray(int id)
{
    if (id < ID_TRAY_LANGUAGE_FIRST || id > ID_TRAY_LANGUAGE_LAST)
        return false;
    // The list is read again: a folder gone since the menu showed chooses nothing.
    const std::vector<LanguageFile> languages = AvailableLanguages();
    const size_t chosen = static_cast<size_t>(id - ID_TRAY_LANGUAGE_FIRST);
    if (chosen < languages.size()) {
        ChooseLanguage(languages[chosen].folder);
        ApplyLanguage();
    }
    return true;
}

void CMainDlg::ApplyLanguage()
{
    ApplyControlTexts();
    ApplySectionTitles();
    if (expanded_)
        SetItemText(IDC_TAB_BUTTON, UiText("IDC_TAB_BUTTON2"));
    if (autostartPlace_ != PlaceVerdict::Protected)
        SetItemText(IDC_CHECKAUTORUN, UiText("strAutorunNotHere"));
    SetUpUserType();
    SetUpLanguages();
    SetUpProcessorLines();
    LoadTickTexts();
    holdTipTexts_.clear();
    // The tick's labels, the graph's caption and the tooltip in the new words, at once.
    RefreshMemoryFigures();
    InvalidateRect(hwnd(), nullptr, TRUE);
}
