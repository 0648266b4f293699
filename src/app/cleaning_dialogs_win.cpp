#include "app/cleaning_dialogs_win.h"

#include "app/defrag_query_dlg_win.h"
#include "app/report_dlg_win.h"

bool AskBeforeAutomaticClean(std::function<std::string()> loadLine, bool standby)
{
    CDefragQueryDlg dialog;
    if (dialog.NoNotice())
        return true; // asking is switched off: the dialog would answer OK unseen
    dialog.SetLoadLine(std::move(loadLine));
    dialog.SetStandbyReason(standby);
    return dialog.DoModal(nullptr) == IDOK;
}

void ShowReportAfterRun(const RunOutcome& outcome) { ShowCleaningReport(outcome); }
