#include "app/main_dlg_dialogs_win.h"

#include "app/about_dlg_win.h"
#include "tools/cache/cache_setup_dlg_win.h"
#include "tools/startup/autorun_dlg_win.h"

bool AskBeforeAutomaticClean(HWND /*mainWindow*/)
{
    // HOOK: CDefragQueryDlg has not landed yet; until it does, automatic cleaning asks nothing
    // and cleans nothing.
    return false;
}

void ShowReportAfterRun()
{
    // HOOK: ShowCleaningReport has not landed yet.
}

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
    // HOOK: CProcessDlg has not landed yet.
}

void RunServiceManager()
{
    // HOOK: CServiceDlg has not landed yet.
}

void RunAbout()
{
    CAboutDlg dialog;
    dialog.DoModal(nullptr);
}
