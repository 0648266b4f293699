#include "app/autostart_win.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "app/logon_task.h"
#include "app/settings.h"
#include "common/protected_place_win.h"
#include "common/registry_key_win.h"
#include "common/task_scheduler_win.h"
#include "win32/handles.h"

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

std::string CurrentUserSid()
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return {};
    win32::UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    LPSTR text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    std::string sid = text;
    LocalFree(text);
    return sid;
}

bool AutostartAllowed(const std::string& programPath) { return CheckProtectedPlace(programPath); }

bool EnableAutostart(const std::string& programPath)
{
    if (!AutostartAllowed(programPath))
        return false;
    if (TaskSchedulerExpected() &&
        CurrentTaskService().Register(kLogonTaskName, LogonTaskXml(programPath, CurrentUserSid()))) {
        DeleteRunValue();
        return true;
    }
    WriteRunValue(programPath);
    return true;
}

void DisableAutostart()
{
    if (TaskSchedulerExpected())
        CurrentTaskService().Delete(kLogonTaskName);
    DeleteRunValue();
}
