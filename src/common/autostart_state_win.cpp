#include "common/autostart_state_win.h"

#include <windows.h>
#include <versionhelpers.h>

#include <string>

#include "common/registry_key_win.h"
#include "common/task_scheduler_win.h"
#include "common/windows_family_win.h"

bool TaskSchedulerExpected() { return !IsWindows9x() && IsWindowsVistaOrGreater(); }

bool AutostartExists()
{
    CRegistryKey run;
    std::string command;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ) == ERROR_SUCCESS
        && run.QueryString(command, kAutostartValue) == ERROR_SUCCESS)
        return true;
    return TaskSchedulerExpected() && TaskExists(kLogonTaskName);
}
