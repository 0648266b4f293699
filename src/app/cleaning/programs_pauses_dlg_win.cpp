#include "app/cleaning/programs_pauses_dlg_win.h"

#include <algorithm>
#include <set>

#include "common/policy_controls_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/running_programs_win.h"
#include "resources/resource.h"
#include "win32/common_controls.h"
#include "win32/dialog_texts.h"
#include "win32/ui_host.h"

CProgramsPausesDlg::CProgramsPausesDlg(const CleaningMethodSettings& settings)
    : ToolDialog(IDD_PROGRAMS_PAUSES), settings_(settings)
{
}

BOOL CProgramsPausesDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "IDD_PROGRAMS_PAUSES",
                      {win32::TextItem{IDC_PP_PROGRAM_LABEL, "IDC_PP_PROGRAM_LABEL"},
                       win32::TextItem{IDC_PP_KEEP_LABEL, "IDC_PP_KEEP_LABEL"},
                       win32::TextItem{IDC_PP_KEEP_ADD, "IDC_PP_KEEP_ADD"},
                       win32::TextItem{IDC_PP_KEEP_REMOVE, "IDC_PP_KEEP_REMOVE"},
                       win32::TextItem{IDC_PP_PAUSE_LABEL, "IDC_PP_PAUSE_LABEL"},
                       win32::TextItem{IDC_PP_PAUSE_ADD, "IDC_PP_PAUSE_ADD"},
                       win32::TextItem{IDC_PP_PAUSE_REMOVE, "IDC_PP_PAUSE_REMOVE"},
                       win32::TextItem{IDC_PP_NOTE, "IDC_PP_NOTE"},
                       win32::TextItem{IDC_PP_LOOPS_GROUP, "IDC_PP_LOOPS_GROUP"},
                       win32::TextItem{IDC_PP_INTERVAL_LABEL, "IDC_PP_INTERVAL_LABEL"},
                       win32::TextItem{IDC_PP_BACKOFF_LABEL, "IDC_PP_BACKOFF_LABEL"},
                       win32::TextItem{IDC_PP_UNHELPFUL, "IDC_PP_UNHELPFUL"},
                       win32::TextItem{IDOK, "IDOKINRS"}, win32::TextItem{IDCANCEL, "IDCANCELINRS"},
                       win32::TextItem{IDC_POLICY_NOTE, "strSetByOrganisation"}});
    // Each running program once; the combo box keeps them sorted.
    std::set<std::string> seen;
    const win32::ComboBox programs(Item(IDC_PP_PROGRAM));
    ForEachRunningProcess([&](const RunningProcess& process) {
        if (CheckProgramName(process.fileName) == ProgramNameCheck::Fine && seen.insert(process.fileName).second)
            programs.AddString(process.fileName);
    });
    win32::ListBox(Item(IDC_PP_KEEP_LIST)).Show(settings_.keepWorkingSets);
    win32::ListBox(Item(IDC_PP_PAUSE_LIST)).Show(settings_.pausePrograms);
    win32::UpDown(Item(IDC_PP_INTERVAL_SPIN)).SetRange(0, kMaxIntervalMinutes);
    win32::UpDown(Item(IDC_PP_BACKOFF_SPIN)).SetRange(0, kMaxBackOffPercent);
    SetItemInt(IDC_PP_INTERVAL_EDIT, settings_.intervalMinutes);
    SetItemInt(IDC_PP_BACKOFF_EDIT, settings_.backOffPercent);
    SetChecked(IDC_PP_UNHELPFUL, settings_.pauseUnhelpful);
    ShowPolicies(*this, ReadPolicies());
    return TRUE;
}

bool CProgramsPausesDlg::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_PP_KEEP_ADD: Add(settings_.keepWorkingSets, IDC_PP_KEEP_LIST); return true;
    case IDC_PP_KEEP_REMOVE: Remove(settings_.keepWorkingSets, IDC_PP_KEEP_LIST); return true;
    case IDC_PP_PAUSE_ADD: Add(settings_.pausePrograms, IDC_PP_PAUSE_LIST); return true;
    case IDC_PP_PAUSE_REMOVE: Remove(settings_.pausePrograms, IDC_PP_PAUSE_LIST); return true;
    default: return false;
    }
}

void CProgramsPausesDlg::Add(ProgramList& list, int listBox)
{
    const std::string typed = GetItemText(IDC_PP_PROGRAM);
    const ProgramAdd added = AddProgram(list, typed);
    if (added == ProgramAdd::BadName || added == ProgramAdd::ListFull) {
        CResourceText texts;
        const std::string why =
            added == ProgramAdd::ListFull ? texts.Text("strProgramListFull") : texts.Text("strProgramNameBad");
        win32::MessageBoxText(hwnd(), why, texts.Text("strDeleteBootItem"), MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_PP_PROGRAM));
        return;
    }
    const win32::ListBox box(Item(listBox));
    box.Show(list);
    const std::string name = TrimBlanks(typed);
    for (size_t i = 0; i < list.size(); ++i)
        if (SameProgramName(list[i], name))
            box.Select(static_cast<int>(i));
}

void CProgramsPausesDlg::Remove(ProgramList& list, int listBox)
{
    const win32::ListBox box(Item(listBox));
    const int selected = box.Selection();
    if (selected < 0 || static_cast<size_t>(selected) >= list.size())
        return;
    list.erase(list.begin() + selected);
    box.Show(list);
    if (!list.empty())
        box.Select(std::min(selected, static_cast<int>(list.size()) - 1));
}

bool CProgramsPausesDlg::ReadNumber(int edit, int most, const char* messageKey, int32_t& value) const
{
    bool isNumber = false;
    const int typed = GetItemInt(edit, &isNumber);
    if (isNumber && typed >= 0 && typed <= most) {
        value = typed;
        return true;
    }
    CResourceText texts;
    win32::MessageBoxText(hwnd(), texts.Text(messageKey), texts.Text("strDeleteBootItem"), MB_ICONEXCLAMATION);
    SetFocus(Item(edit));
    return false;
}

void CProgramsPausesDlg::OnOK()
{
    if (ReadNumber(IDC_PP_INTERVAL_EDIT, kMaxIntervalMinutes, "MessageIntervalInputError", settings_.intervalMinutes) &&
        ReadNumber(IDC_PP_BACKOFF_EDIT, kMaxBackOffPercent, "MessageBackOffInputError", settings_.backOffPercent)) {
        settings_.pauseUnhelpful = IsChecked(IDC_PP_UNHELPFUL);
        EndDialog(IDOK);
    }
}
