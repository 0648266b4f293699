// The main window's commands: buttons, check boxes, list, slider, alert value, tray menu items.
#include "app/main_window/main_dlg_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/cleaning/cleaning_dialogs_win.h"
#include "app/cleaning/cleaning_rules.h"
#include "app/texts/help_file.h"
#include "app/texts/memory_texts.h"
#include "app/settings/settings_win.h"
#include "app/main_window/tool_table_win.h"
#include "common/module_path.h"
#include "common/protected_place_win.h"
#include "common/resource_text.h"
#include "common/user_launch_win.h"
#include "memory/memory_cleaner.h"
#include "resources/resource.h"
#include "win32/common_controls.h"
#include "win32/ui_host.h"

namespace {

constexpr int kAnyCode = -1;

struct Command {
    int id;
    int code; // kAnyCode: every notification of the control
    void (CMainDlg::*handler)();
};


int ShowMessageOfKey(HWND owner, const char* textKey, UINT style, const char* captionKey = "strDeleteBootItem")
{
    CResourceText texts;
    const std::string caption = captionKey ? texts.Text(captionKey) : std::string();
    return win32::MessageBoxText(owner, texts.Text(textKey), caption, style);
}

} // namespace

bool CMainDlg::OnCommand(int id, int code, HWND /*control*/)
{
    const HandlerScope scope(*this);
    controlsMayHaveChanged_ = true;
    static constexpr Command kCommands[] = {
        {IDC_LZL_BUTTON, BN_CLICKED, &CMainDlg::Organise},
        {ID_TRAY_ORGANIZE, kAnyCode, &CMainDlg::OrganiseFromTray},
        {IDC_CLEANRAM_BT, BN_CLICKED, &CMainDlg::CleanUp},
        {ID_TRAY_CLEAN_HALF, kAnyCode, &CMainDlg::CleanHalf},
        {ID_TRAY_CLEAN_QUARTER, kAnyCode, &CMainDlg::CleanQuarter},
        {IDC_BUTTONSAVERAM, BN_CLICKED, &CMainDlg::Save},
        {IDC_METHODS_BT, BN_CLICKED, &CMainDlg::ChooseCleaningMethods},
        {IDC_CHECKAUTODEFRAG, BN_CLICKED, &CMainDlg::EnableSave},
        {IDC_CHECKSOUND, BN_CLICKED, &CMainDlg::EnableSave},
        {IDC_CHECKCLIPBOARD, BN_CLICKED, &CMainDlg::EnableSave},
        {IDC_CHECKLOG, BN_CLICKED, &CMainDlg::EnableSave},
        {IDC_CHECKAUTORUN, BN_CLICKED, &CMainDlg::RunAfterBootClicked},
        {IDC_CHECKAUTODEFRAGTIP, BN_CLICKED, &CMainDlg::AskBeforeCleanClicked},
        {IDC_CHECKALERTNOTICE, BN_CLICKED, &CMainDlg::ToolsWarningClicked},
        {IDC_12H_CHECK, BN_CLICKED, &CMainDlg::TwelveHourClicked},
        {IDC_USERTYPE_COMBO, CBN_SELCHANGE, &CMainDlg::UserTypeChanged},
        {IDC_LANGUAGE_COMBO, CBN_SELCHANGE, &CMainDlg::LanguageChosenInBox},
        {IDC_ALERT_EDIT, EN_CHANGE, &CMainDlg::AlertValueChanged},
        {IDC_CLEAN_HOTKEY, EN_CHANGE, &CMainDlg::EnableSave},
        {IDC_TAB_BUTTON, BN_CLICKED, &CMainDlg::WidenOrNarrow},
        {IDC_HIDEBT2, BN_CLICKED, &CMainDlg::Hide},
        {ID_TRAY_SHOW, kAnyCode, &CMainDlg::ShowMainWindow},
        {IDC_EXITBT, BN_CLICKED, &CMainDlg::Exit},
        {ID_TRAY_EXIT, kAnyCode, &CMainDlg::Exit},
        {IDC_HELP_BT, BN_CLICKED, &CMainDlg::Help},
        {ID_HELP, kAnyCode, &CMainDlg::Help},
    };
    if (LanguageChosenInTray(id))
        return true;
    if (const ToolEntry* tool = ToolForCommand(id, code)) {
        OpenTool(*tool);
        return true;
    }
    for (const Command& command : kCommands) {
        if (command.id == id && (command.code == kAnyCode || command.code == code)) {
            (this->*command.handler)();
            return true;
        }
    }
    // A click on the clean-progress gauge does nothing; OK and Cancel go to OnOK and OnCancel.
    return id == IDC_CLEAN_GAUGE;
}

bool CMainDlg::OnNotify(NMHDR& header, LRESULT& /*result*/)
{
    if (header.idFrom == IDC_AMOUNT_SLIDER && header.code == static_cast<UINT>(NM_RELEASEDCAPTURE)) {
        AmountChanged();
        return true;
    }
    return false;
}

bool CMainDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result)
{
    const HandlerScope scope(*this);
    if (msg == WM_CLEANUP_DONE) {
        OnCleanUpDone();
        result = 0;
        return true;
    }
    if (msg == WM_REMOTE_REQUEST) {
        OnRequestWaiting();
        result = 0;
        return true;
    }
    if (msg == WM_LBUTTONDOWN && ExplainAutostartRefusal(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) {
        result = 0;
        return true;
    }
    if (OnExitMessage(msg, wp)) { // logoff and the installer's removal among them
        result = TRUE; // processed: no default handling (which would turn the close box into WM_CLOSE)
        return true;
    }
    if (msg == WM_SHOWWINDOW && wp) {
        ShowTickFigures(); // the figures of the ticks that passed hidden
        return false;
    }
    if (msg == WM_DPICHANGED) {
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return false; // the system's own handling lays the dialog's controls out anew
    }
    if (msg == WM_APPLY_DPI) {
        ApplyDpiToFonts();
        ApplyDpiToGlyphs();
        RefreshTrayPicture();
        InvalidateRect(hwnd(), nullptr, TRUE);
        result = 0;
        return true;
    }
    if (msg == WM_HOTKEY && wp == kCleanHotkeyId) {
        OrganiseFromHotkey();
        result = 0;
        return true;
    }
    if (msg == WM_SYSCOLORCHANGE || (msg == WM_SETTINGCHANGE && wp == SPI_SETHIGHCONTRAST)) {
        // The palette has followed (OnLookChanged); the common controls take the new colours only when told.
        for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageA(child, msg, wp, lp);
        return false;
    }
    if (msg == WM_HELP) { // F1
        Help();
        result = TRUE;
        return true;
    }
    if (msg == WM_QUERYDRAGICON) {
        result = reinterpret_cast<INT_PTR>(windowIcon_.get());
        return true;
    }
    LRESULT trayResult = 0;
    if (tray_.HandleOwnerMessage(msg, wp, lp, trayResult)) {
        result = static_cast<INT_PTR>(trayResult);
        return true;
    }
    return false;
}

void CMainDlg::OnOK() { Organise(); }

void CMainDlg::OnCancel() { HideAndRemember(); }

void CMainDlg::ChooseCleaningMethods() { OpenCleaningMethods(hwnd()); }

void CMainDlg::EnableSave() { EnableItem(IDC_BUTTONSAVERAM, true); }

void CMainDlg::Save()
{
    if (!ApplyHotkey())
        return;
    ReadControls();
    SavedSettings saved;
    saved.userType = win32::ComboBox(Item(IDC_USERTYPE_COMBO)).Selection();
    saved.soundAlert = fields_.soundAlert;
    saved.autoDefrag = fields_.autoDefrag;
    saved.cleanClipBoard = fields_.cleanClipboard;
    saved.ramAlertValue = std::atoi(fields_.alertText.c_str());
    saved.sliderPos = win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).Position();
    saved.buildReport = fields_.buildReport;
    saved.noticeDialog = !fields_.askBeforeClean;
    saved.runAfterBoot = fields_.runAfterBoot;
    SaveSettings(saved, ProgramPath());
    ShowMessageOfKey(hwnd(), "strSaveLogMessage", MB_ICONEXCLAMATION);
    EnableItem(IDC_BUTTONSAVERAM, false);
}

void CMainDlg::RunAfterBootClicked()
{
    const bool wasSet = fields_.runAfterBoot;
    fields_.runAfterBoot = IsChecked(IDC_CHECKAUTORUN);
    if (wasSet)
        ShowMessageOfKey(hwnd(), "strAutorunCloseMessage", MB_ICONEXCLAMATION);
    EnableSave();
}

void CMainDlg::AskBeforeCleanClicked()
{
    EnableSave();
    ReadControls();
    WriteNoticeDialog(!fields_.askBeforeClean);
}

void CMainDlg::ToolsWarningClicked()
{
    ReadControls();
    WriteOtherFunctionTips(fields_.toolsWithoutWarning);
}

void CMainDlg::TwelveHourClicked()
{
    ReadControls();
    SetItemText(IDC_12H_CHECK, fields_.twelveHour ? "12H" : "24H");
}

void CMainDlg::UserTypeChanged()
{
    const int type = win32::ComboBox(Item(IDC_USERTYPE_COMBO)).Selection();
    EnableItem(IDC_AMOUNT_SLIDER, type == kCustomUserType);
    if (!KeptDisabled(IDC_AMOUNT_SLIDER)) // an organisation's amount stays
        win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).SetPosition(SliderPositionForUserType(type));
    UpdateAmountLabel();
    ReadControls();
    EnableSave();
}

void CMainDlg::UpdateAmountLabel()
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    SetItemText(IDC_AMOUNT_TEXT, AmountLabel(win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).Position(), status.totalPhysMB));
}

void CMainDlg::AmountChanged()
{
    UpdateAmountLabel();
    EnableSave();
}

void CMainDlg::AlertValueChanged()
{
    if (!alertChangeSeen_) {
        alertChangeSeen_ = true; // the set-up's own change
        return;
    }
    ReadControls();
    const AlertValue value = ClampAlertValue(fields_.alertText);
    if (value.outOfRange)
        ShowMessageOfKey(hwnd(), "MessageInputError", MB_ICONEXCLAMATION);
    const std::string text = std::to_string(value.value);
    if (fields_.alertText != text) {
        fields_.alertText = text;
        WriteControls(); // sends another EN_CHANGE, which finds the text in range
    }
    EnableSave();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CMainDlg::WidenOrNarrow()
{
    CResourceText texts;
    expanded_ = !expanded_;
    if (!expanded_) {
        SetWindowPos(hwnd(), nullptr, 0, 0, compactRect_.right - compactRect_.left,
                     compactRect_.bottom - compactRect_.top, SWP_NOMOVE | SWP_NOZORDER);
        SetItemText(IDC_TAB_BUTTON, texts.Text("IDC_TAB_BUTTON1"));
        currentRect_ = compactRect_;
        GetClientRect(hwnd(), &compactClient_);
        ShowRightHalf(false);
    } else {
        const Box centred =
            CentredBox(ToBox(fullRect_), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SetWindowPos(hwnd(), nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetWindowPos(hwnd(), nullptr, 0, 0, fullRect_.right - fullRect_.left, fullRect_.bottom - fullRect_.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        SetItemText(IDC_TAB_BUTTON, texts.Text("IDC_TAB_BUTTON2"));
        currentRect_ = fullRect_;
        GetClientRect(hwnd(), &expandedClient_);
        ShowRightHalf(true);
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CMainDlg::HideAndRemember()
{
    ShowWindow(hwnd(), SW_HIDE);
    WriteShowStatus(false);
}

void CMainDlg::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void CMainDlg::ShowMainWindow()
{
    SetWindowPos(hwnd(), nullptr, 0, 0, currentRect_.right - currentRect_.left,
                 currentRect_.bottom - currentRect_.top, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    WriteShowStatus(true);
}

void CMainDlg::Exit()
{
    if (ShowMessageOfKey(hwnd(), "strExitQuery", MB_YESNO | MB_ICONEXCLAMATION, nullptr) == IDYES)
        RequestExit();
}

bool CMainDlg::ExplainAutostartRefusal(POINT client)
{
    if (autostartPlace_ == PlaceVerdict::Protected)
        return false;
    RECT box{};
    GetWindowRect(Item(IDC_CHECKAUTORUN), &box);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
    if (!PtInRect(&box, client))
        return false;
    win32::MessageBoxText(hwnd(), UiText("strAutorunRefused") + "\n\n" + PlaceReasonText(autostartPlace_),
                          UiText("strDeleteBootItem"), MB_ICONEXCLAMATION);
    return true;
}

void CMainDlg::Help()
{
    // In the user's help viewer with the user's rights, in the texts' language: a link followed in
    // it starts a browser. A help file that cannot be opened is not reported.
    OpenHelpAsUser(GetModulePath(HelpFileName(UiText("strHelpFile"))));
}
