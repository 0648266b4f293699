// Opening a tool or the About box: system tools after a warning the user can switch off.
#include "app/main_window/main_dlg_win.h"

#include "app/main_window/tool_table_win.h"
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

void CMainDlg::OpenTool(const ToolEntry& tool)
{
    if (tool.systemTool && !ToolWarningAccepted())
        return;
    tool.make(ToolContext{followUp_.Waiting()})->DoModal(nullptr);
}
