#include "app/cleaning/cleaning_methods_dlg_win.h"

#include <commctrl.h>

#include "app/cleaning/programs_pauses_dlg_win.h"
#include "common/policy_controls_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "resources/resource.h"
#include "win32/dialog_texts.h"
#include "win32/ui_host.h"

namespace {

// Check boxes that stand for one method each; the standby box and its low-priority box share
// two methods between them.
struct MethodBox {
    int id;
    CleaningMethod method;
};
constexpr MethodBox kMethodBoxes[] = {
    {IDC_METHOD_FILL, kFillAndRelease},       {IDC_METHOD_WORKINGSETS, kEmptyWorkingSets},
    {IDC_METHOD_FILECACHE, kShrinkFileCache}, {IDC_METHOD_MODIFIED, kFlushModifiedList},
    {IDC_METHOD_COMBINE, kCombinePages},
};
constexpr MethodSet kStandbyMethods = kPurgeStandbyList | kPurgeLowPriorityStandby;

} // namespace

CCleaningMethodsDlg::CCleaningMethodsDlg(const CleaningMethodSettings& settings, MethodSet offered)
    : ToolDialog(IDD_CLEANING_METHODS), settings_(settings), offered_(offered)
{
}

bool CCleaningMethodsDlg::ReadControls()
{
    MethodSet methods = settings_.methods & ~(kClassicMethodOnly | kStandbyMethods);
    for (const MethodBox& box : kMethodBoxes) {
        methods &= ~MethodSet{box.method};
        if (IsChecked(box.id))
            methods |= box.method;
    }
    if (IsChecked(IDC_METHOD_STANDBY))
        methods |= IsChecked(IDC_METHOD_LOWPRIORITY) ? kPurgeLowPriorityStandby : kPurgeStandbyList;
    // Nothing this Windows can run: the classic step, shown as such.
    if ((methods & offered_) == 0)
        methods |= kFillAndRelease;
    settings_.methods = methods;
    settings_.standbyAutoClean = IsChecked(IDC_STANDBY_AUTOCLEAN);

    bool isNumber = false;
    const int share = GetItemInt(IDC_STANDBY_EDIT, &isNumber);
    if (!isNumber || share < kStandbyAlertMin || share > kStandbyAlertMax) {
        CResourceText texts;
        win32::MessageBoxText(hwnd(), texts.Text("MessageStandbyInputError"), texts.Text("strDeleteBootItem"),
                              MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_STANDBY_EDIT));
        return false;
    }
    settings_.standbyAlertValue = share;
    return true;
}

void CCleaningMethodsDlg::WriteControls() const
{
    for (const MethodBox& box : kMethodBoxes)
        SetChecked(box.id, (settings_.methods & box.method) != 0);
    SetChecked(IDC_METHOD_STANDBY, (settings_.methods & kStandbyMethods) != 0);
    SetChecked(IDC_METHOD_LOWPRIORITY, (settings_.methods & kStandbyMethods) == kPurgeLowPriorityStandby);
    SetChecked(IDC_STANDBY_AUTOCLEAN, settings_.standbyAutoClean);
    SetItemInt(IDC_STANDBY_EDIT, settings_.standbyAlertValue);
}

void CCleaningMethodsDlg::EnableLowPriority() const
{
    EnableItem(IDC_METHOD_LOWPRIORITY, (offered_ & kPurgeLowPriorityStandby) && IsChecked(IDC_METHOD_STANDBY));
}

BOOL CCleaningMethodsDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(
        *this, texts.Lookup(), "IDD_CLEANING_METHODS",
        {win32::TextItem{IDC_METHODS_INTRO, "IDC_METHODS_INTRO"},
         win32::TextItem{IDC_METHOD_FILL, "MethodFillAndRelease"},
         win32::TextItem{IDC_METHOD_WORKINGSETS, "MethodEmptyWorkingSets"},
         win32::TextItem{IDC_METHOD_FILECACHE, "MethodShrinkFileCache"},
         win32::TextItem{IDC_METHOD_MODIFIED, "MethodFlushModifiedList"},
         win32::TextItem{IDC_METHOD_STANDBY, "MethodPurgeStandbyList"},
         win32::TextItem{IDC_METHOD_LOWPRIORITY, "IDC_METHOD_LOWPRIORITY"},
         win32::TextItem{IDC_METHOD_COMBINE, "MethodCombinePages"},
         win32::TextItem{IDC_METHODS_AUTOGROUP, "IDC_METHODS_AUTOGROUP"},
         win32::TextItem{IDC_STANDBY_AUTOCLEAN, "IDC_STANDBY_AUTOCLEAN"},
         win32::TextItem{IDC_STANDBY_UNIT, "IDC_STANDBY_UNIT"},
         win32::TextItem{IDC_METHODS_PROGRAMS, "IDC_METHODS_PROGRAMS"}, win32::TextItem{IDOK, "IDOKINRS"},
         win32::TextItem{IDCANCEL, "IDCANCELINRS"}, win32::TextItem{IDC_POLICY_NOTE, "strSetByOrganisation"}});
    SendMessageA(Item(IDC_STANDBY_SPIN), UDM_SETRANGE32, kStandbyAlertMin, kStandbyAlertMax);
    WriteControls();

    for (const MethodBox& box : kMethodBoxes)
        EnableItem(box.id, (offered_ & box.method) != 0);
    EnableItem(IDC_METHOD_STANDBY, (offered_ & kPurgeStandbyList) != 0);
    EnableLowPriority();
    // Only NT 6 and later report the standby list.
    const bool listsOffered = (offered_ & kPurgeStandbyList) != 0;
    for (int id : {IDC_METHODS_AUTOGROUP, IDC_STANDBY_AUTOCLEAN, IDC_STANDBY_EDIT, IDC_STANDBY_SPIN, IDC_STANDBY_UNIT})
        EnableItem(id, listsOffered);
    SetItemText(IDC_METHODS_NOTE, offered_ == kClassicMethodOnly ? texts.Text("MethodsClassicOnly") : "");
    ShowPolicies(*this, ReadPolicies()); // a box a policy fixes is never clicked, so never enabled again
    return TRUE;
}

bool CCleaningMethodsDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_METHOD_STANDBY) {
        EnableLowPriority();
        return true;
    }
    if (id != IDC_METHODS_PROGRAMS)
        return false;
    // The page changes only its own settings; the boxes here are read at OK.
    CProgramsPausesDlg page(settings_);
    if (page.DoModal(hwnd()) == IDOK)
        settings_ = page.Settings();
    return true;
}

void CCleaningMethodsDlg::OnOK()
{
    if (ReadControls())
        EndDialog(IDOK);
}
