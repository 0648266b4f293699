#include "app/settings/autostart_win.h"

#include <windows.h>

#include "app/settings/logon_task.h"
#include "app/settings/settings.h"
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

PlaceVerdict AutostartPlace(const std::string& programPath) { return CheckPlace(programPath).verdict; }

bool EnableAutostart(const std::string& programPath)
{
    const PlaceCheck place = CheckPlace(programPath);
    if (place.verdict != PlaceVerdict::Protected)
        return false;
    if (TaskSchedulerExpected() &&
        RegisterTask(kLogonTaskName, LogonTaskXml(place.finalPath))) {
        DeleteRunValue();
        return true;
    }
    WriteRunValue(place.finalPath);
    return true;
}

void DisableAutostart()
{
    if (TaskSchedulerExpected())
        DeleteTask(kLogonTaskName);
    DeleteRunValue();
}
