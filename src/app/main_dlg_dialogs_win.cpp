#include "app/main_dlg_dialogs_win.h"

#include "app/about_dlg_win.h"
#include "app/defrag_query_dlg_win.h"
#include "memory/report_dlg_win.h"
#include "monitors/cpu_usage_win.h"
#include "tools/cache/cache_setup_dlg_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/startup/autorun_dlg_win.h"

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

void RunCacheSettings()
{
    CCacheSetupDlg dialog;
    dialog.DoModal(nullptr);
}

void RunStartupItems()
{
    CAutorunDlg dialog;
    dialog.DoModal(nullptr);
}

void RunProcessManager()
{
    CProcessDlg dialog(IsWindows9x);
    dialog.DoModal(nullptr);
}

void RunServiceManager()
{
    CServiceDlg dialog;
    dialog.DoModal(nullptr);
}

void RunAbout()
{
    CAboutDlg dialog;
    dialog.DoModal(nullptr);
}
