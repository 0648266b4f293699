#include "tools/startup/run_setup_dlg_win.h"

#include <commctrl.h>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "win32/common_controls.h"
#include "win32/dialog_texts.h"
#include "win32/ui_host.h"

namespace {
// The validation wording belongs to the dialog layer, as the framework's own prompt did.
constexpr const char* kMinutesPrompt = "Please enter an integer between 1 and 60.";
} // namespace

CRunSetupDlg::CRunSetupDlg() : ToolDialog(IDD_RUNSETUP_DIALOG) {}

bool CRunSetupDlg::ReadControls()
{
    command = GetItemText(IDC_RUNSETUP_COMMAND);
    name = GetItemText(IDC_RUNSETUP_NAME);
    bool isNumber = false;
    const int value = GetItemInt(IDC_RUNSETUP_MINUTES, &isNumber);
    if (!isNumber || value < kMinMinutes || value > kMaxMinutes) {
        win32::MessageBoxText(hwnd(), kMinutesPrompt, "", MB_ICONEXCLAMATION | MB_OK);
        SetFocus(Item(IDC_RUNSETUP_MINUTES));
        SendMessageA(Item(IDC_RUNSETUP_MINUTES), EM_SETSEL, 0, -1);
        return false;
    }
    minutes = value;
    return true;
}

void CRunSetupDlg::WriteControls() const
{
    SetItemInt(IDC_RUNSETUP_MINUTES, minutes);
    SetItemText(IDC_RUNSETUP_COMMAND, command);
    SetItemText(IDC_RUNSETUP_NAME, name);
}

void CRunSetupDlg::EnableMinutes(bool enable) const
{
    for (int id : {IDC_STATICSJSZ, IDC_RUNSETUP_MINUTES, IDC_RUNSETUP_SPIN})
        EnableItem(id, enable);
}

BOOL CRunSetupDlg::OnInit()
{
    WriteControls();
    if (mode == StartDelayed) {
        EnableMinutes(true);
        SetChecked(IDC_RADIOTHREE, true);
    } else if (mode == StartPaused) {
        SetChecked(IDC_RADIOTWO, true);
    } else {
        SetChecked(IDC_RADIOONE, true);
    }
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_RUNSETUP_DIALOG",
                      {win32::TextItem{IDC_STATICKGS, "IDC_STATICKGS"}, win32::TextItem{IDC_RADIOONE, "IDC_RADIOONE"},
                       win32::TextItem{IDC_RADIOTWO, "IDC_RADIOTWO"}, win32::TextItem{IDC_RADIOTHREE, "IDC_RADIOTHREE"},
                       win32::TextItem{IDC_STATICSJSZ, "IDC_STATICSJSZ"}, win32::TextItem{IDOKINRS, "IDOKINRS"},
                       win32::TextItem{IDCANCELINRS, "IDCANCELINRS"}});
    win32::UpDown(Item(IDC_RUNSETUP_SPIN)).SetRange(kMinMinutes, kMaxMinutes);
    return TRUE;
}

bool CRunSetupDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    int chosen = -1;
    switch (id) {
    case IDC_RADIOONE: chosen = StartAtBoot; break;
    case IDC_RADIOTWO: chosen = StartPaused; break;
    case IDC_RADIOTHREE: chosen = StartDelayed; break;
    default: return false;
    }
    mode = chosen;
    EnableMinutes(chosen == StartDelayed);
    ReadControls();
    return true;
}

void CRunSetupDlg::OnOK()
{
    // As the framework did: the handler reads the controls, then the standard OK reads them again.
    ReadControls();
    if (ReadControls())
        EndDialog(IDOK);
}

void CRunSetupDlg::OnCancel()
{
    ReadControls();
    EndDialog(IDCANCEL);
}

