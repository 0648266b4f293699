// The commands that open the system tools, each after a warning the user can switch off, and the
// About box.
#include "app/main_dlg_win.h"

#include "app/main_dlg_dialogs_win.h"
#include "common/resource_text.h"
#include "win32/ui_host.h"

bool CMainDlg::ToolWarningAccepted()
{
    ReadControls();
    if (fields_.toolsWithoutWarning)
        return true;
    CResourceText texts;
    return win32::MessageBoxText(hwnd(), texts.Text("strModifySystem"), texts.Text("strDeleteBootItem"),
                                 MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void CMainDlg::OpenCacheSettings()
{
    if (ToolWarningAccepted())
        RunCacheSettings();
}

void CMainDlg::OpenStartupItems()
{
    if (ToolWarningAccepted())
        RunStartupItems();
}

void CMainDlg::OpenProcessManager()
{
    if (ToolWarningAccepted())
        RunProcessManager();
}

void CMainDlg::OpenServiceManager()
{
    if (ToolWarningAccepted())
        RunServiceManager();
}

void CMainDlg::OpenAbout() { RunAbout(); }
