#pragma once
// The logon task that starts Tidewell with Windows on NT 6.0 and later, as Task Scheduler XML.
#include <string>

#include "common/settings_keys.h" // kLogonTaskName

// The group the task runs for: Users (S-1-5-32-545), which holds every account that can log on
// through Authenticated Users; named by its SID, which is the same in every language of Windows.
constexpr char kEveryUserGroup[] = "S-1-5-32-545";

// A task that starts "programPath" -PowerOn whenever anyone logs on, with the highest rights that
// person has, with no time limit, and on battery as on mains. It names no user: it is the same
// task for everyone, whoever registered it.
std::string LogonTaskXml(const std::string& programPath);
