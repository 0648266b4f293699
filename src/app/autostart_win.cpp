#include "app/autostart_win.h"

#include <windows.h>

#include "app/logon_task.h"
#include "app/settings.h"
#include "common/protected_place_win.h"
#include "common/registry_key_win.h"
#include "common/task_scheduler_win.h"

namespace {

void WriteRunValue(const std::string& programPath)
{
    CRegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
        run.SetString(kAutostartValue, AutostartCommand(programPath));
}

void DeleteRunValue()
{
    CRegistryKey run;
    if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
        run.DeleteValue(kAutostartValue);
}

} // namespace

bool AutostartAllowed(const std::string& programPath) { return CheckProtectedPlace(programPath); }

bool EnableAutostart(const std::string& programPath)
{
    if (!AutostartAllowed(programPath))
        return false;
    if (TaskSchedulerExpected() &&
        RegisterTask(kLogonTaskName, LogonTaskXml(programPath))) {
        DeleteRunValue();
        return true;
    }
    WriteRunValue(programPath);
    return true;
}

void DisableAutostart()
{
    if (TaskSchedulerExpected())
        DeleteTask(kLogonTaskName);
    DeleteRunValue();
}
