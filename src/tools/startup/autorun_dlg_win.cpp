#include "tools/startup/autorun_dlg_win.h"

#include "common/account_win.h"
#include "common/file_icon_win.h"
#include "common/policy_controls_win.h"
#include "common/protected_place_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/user_launch_win.h"
#include "resources/resource.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/run_setup_dlg_win.h"
#include "tools/startup/startup_rules.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"
#include "win32/ui_host.h"

namespace {

constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_FLATSB; // 0x120
constexpr int kInitialIcons = 9;

void Warn(HWND owner, const std::string& text)
{
    win32::MessageBoxText(owner, text, win32::kProgramName, MB_ICONEXCLAMATION | MB_OK);
}

} // namespace

CAutorunDlg::CAutorunDlg(std::string delayList) : ToolDialog(IDD_AUTORUN_DIALOG), delayList_(std::move(delayList)) {}

BOOL CAutorunDlg::OnInit()
{
    if (CheckPlace(delayList_).verdict == PlaceVerdict::Protected)
        CDelayList(delayList_).AdoptUnowned(OwnUserSid());
    CheckStartupConflicts(delayList_, hwnd());
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_AUTORUN_DIALOG",
                      {win32::TextItem{IDC_LGRUN_BUTTON, "IDC_LGRUN_BUTTON"},
                       win32::TextItem{IDC_DELRUN_BUTTON, "IDC_DELRUN_BUTTON"},
                       win32::TextItem{IDC_APPLYRUN_BUTTON, "IDC_APPLYRUN_BUTTON"},
                       win32::TextItem{IDCANCELINARUN, "IDCANCELINARUN"},
                       win32::TextItem{IDC_POLICY_NOTE, "strSetByOrganisation"}});

    list_ = win32::ListView(Item(IDC_RUN_LIST));
    const int iconSize = win32::SmallIconSize(hwnd());
    images_.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, kInitialIcons, kInitialIcons));
    list_.SetImageList(images_.get());
    list_.SetExtendedStyle(kListExtendedStyle);
    list_.AddColumn(0, texts.Text("RLISTITEM1"), 100);
    list_.AddColumn(1, texts.Text("RLISTITEM2"), 240);
    list_.AddColumn(2, texts.Text("RLISTITEM3"), 100);
    FillList();
    EnsureDisabledKeys();
    ShowPolicies(*this, ReadPolicies());
    EnableActions(false);
    // Its entries cannot be listed now: said, never shown as an empty list.
    if (!CDelayList(delayList_).Readable())
        Warn(hwnd(), texts.Text("strDelayUnreadable"));
    else if (!delayListProtected_) {
        for (const StartupItem& item : items_)
            if (item.kind == Delayed) {
                Warn(hwnd(), texts.Text("strDelayRefused"));
                break;
            }
    }
    return TRUE;
}

void CAutorunDlg::FillList()
{
    list_.DeleteAll();
    if (images_)
        ImageList_RemoveAll(images_.get()); // the rows that used them are gone
    LoadStartupItems(items_, delayList_);
    // The launcher starts nothing from a Delay.ini a plain user could have written.
    delayListProtected_ = CheckPlace(delayList_).verdict == PlaceVerdict::Protected;
    CResourceText texts;
    const std::string active = texts.Text("RStatus1");
    const std::string paused = texts.Text("RStatus2");
    const std::string delayed = texts.Text("RStatus3");
    const std::string refused = texts.Text("RStatus4");
    const std::string minutes = texts.TextOr("strMinutes", "Minutes");
    for (size_t i = 0; i < items_.size(); ++i) {
        const StartupItem& item = items_[i];
        AddFileIcon(IconPathOfCommand(item.command), images_.get());
        const int row = list_.InsertRow(static_cast<int>(i), ShownName(item.name),
                                        ImageList_GetImageCount(images_.get()) - 1);
        list_.SetCell(row, 1, CommandText(item));
        const bool notStarted = item.kind == Delayed && !delayListProtected_;
        list_.SetCell(row, 2, notStarted ? refused : StatusText(item, active, paused, delayed, minutes));
    }
}

int CAutorunDlg::CurrentEntry() const
{
    const int row = list_.FocusedRow();
    return row >= 0 && row < static_cast<int>(items_.size()) ? row : -1;
}

void CAutorunDlg::EnableActions(bool enable) const
{
    for (int id : {IDC_LGRUN_BUTTON, IDC_DELRUN_BUTTON, IDC_APPLYRUN_BUTTON})
        EnableItem(id, enable);
}

bool CAutorunDlg::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_RUN_LIST)
        return false;
    switch (header.code) {
    case NM_CLICK:
    case NM_DBLCLK: {
        const int current = CurrentEntry();
        EnableActions(current >= 0);
        if (header.code == NM_DBLCLK && current >= 0 && !KeptDisabled(IDC_APPLYRUN_BUTTON))
            ChangeStartMode(items_[static_cast<size_t>(current)]);
        result = 0;
        return true;
    }
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW:
        result = FALSE; // names are edited nowhere: the stored name shows again
        return true;
    default:
        return false;
    }
}

bool CAutorunDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED || (id != IDC_LGRUN_BUTTON && id != IDC_DELRUN_BUTTON && id != IDC_APPLYRUN_BUTTON))
        return false;
    if (KeptDisabled(id))
        return true; // an organisation keeps the list as it is
    const int current = CurrentEntry();
    if (current < 0)
        return true;
    // A copy: the handlers refill the table.
    const StartupItem item = items_[static_cast<size_t>(current)];
    if (id == IDC_LGRUN_BUTTON)
        StartNow(item);
    else if (id == IDC_DELRUN_BUTTON)
        DeleteEntry(item);
    else
        ChangeStartMode(item);
    return true;
}

void CAutorunDlg::StartNow(const StartupItem& item) const
{
    CResourceText texts;
    if (IsActiveKind(item.kind)) {
        Warn(hwnd(), texts.Text("strBootHasRunned1") + ShownName(item.name) + texts.Text("strBootHasRunned2"));
        return;
    }
    if (!HoldsCommand(item)) {
        Warn(hwnd(), ShownName(item.name) + ": " + texts.Text("strStartupNotCommand"));
        return;
    }
    // As the user, never with Tidewell's rights; what stopped it is said instead of the tip.
    const std::string refusal =
        LaunchRefusalText(StartCommandAsUser(item.command, item.valueType == kValueExpandString), item.command);
    Warn(hwnd(), refusal.empty() ? item.command + " " + texts.Text("strStartNowTips") : refusal);
}

void CAutorunDlg::DeleteEntry(const StartupItem& item)
{
    CResourceText texts;
    const std::string question =
        texts.Text("strStartDeleteSure1") + ShownName(item.name) + texts.Text("strStartDeleteSure2") + " ";
    if (win32::MessageBoxText(hwnd(), question, texts.Text("strDeleteBootItem"), MB_YESNO | MB_ICONEXCLAMATION)
        != IDYES)
        return;
    const bool gone = DeleteStartupItem(item, delayList_);
    FillList();
    if (!gone)
        Warn(hwnd(),
             texts.Text("strBootItemCantDelete1") + ShownName(item.name) + texts.Text("strBootItemCantDelete2"));
}

void CAutorunDlg::ChangeStartMode(const StartupItem& item)
{
    CRunSetupDlg setup;
    setup.command = CommandText(item);
    setup.name = ShownName(item.name);
    setup.minutes = item.delay != 0 ? item.delay : 1;
    setup.mode = item.kind == Delayed ? StartDelayed : IsActiveKind(item.kind) ? StartAtBoot : StartPaused;
    if (setup.DoModal(hwnd()) != IDOK)
        return;
    SetStartMode(item, setup.mode, setup.minutes, delayList_, hwnd());
    FillList();
}

void CAutorunDlg::OnDestroy()
{
    list_.SetImageList(nullptr);
}
