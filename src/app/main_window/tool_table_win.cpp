#include "app/main_window/tool_table_win.h"

#include "app/dialogs/about_dlg_win.h"
#include "app/cleaning/history_dlg_win.h"
#include "app/cleaning/memory_map_dlg_win.h"
#include "common/windows_family_win.h"
#include "resources/resource.h"
#include "tools/cache/cache_setup_dlg_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/startup/autorun_dlg_win.h"

namespace {

template <typename D, auto... Arguments>
std::unique_ptr<win32::Dialog> Make(const ToolContext&)
{
    return std::make_unique<D>(Arguments...);
}

std::unique_ptr<win32::Dialog> MakeHistory(const ToolContext& context)
{
    return std::make_unique<CHistoryDlg>(context.waitingClean ? std::optional(*context.waitingClean) : std::nullopt);
}

constexpr ToolEntry kTools[] = {
    {IDC_BUTTONOT1, 0, true, &Make<CCacheSetupDlg>},
    {IDC_MSCONFIG_BT, ID_TRAY_STARTUP, true, &Make<CAutorunDlg>},
    {IDC_PROCESSMG_BT, ID_TRAY_PROCESS, true, &Make<CProcessDlg, IsWindows9x>},
    {IDC_SERVICEMG_BT, ID_TRAY_SERVICE, true, &Make<CServiceDlg>},
    {IDC_ABOUT2, ID_TRAY_ABOUT, false, &Make<CAboutDlg>},
    {IDC_HISTORY_BT, ID_TRAY_HISTORY, false, &MakeHistory},
    {IDC_MEMORY_MAP_BT, ID_TRAY_MEMORY_MAP, false, &Make<CMemoryMapDlg>},
};

} // namespace

std::span<const ToolEntry> Tools() { return kTools; }

const ToolEntry* ToolForCommand(int id, int code)
{
    for (const ToolEntry& tool : kTools)
        if ((id == tool.button && code == BN_CLICKED) || (tool.trayItem != 0 && id == tool.trayItem))
            return &tool;
    return nullptr;
}
