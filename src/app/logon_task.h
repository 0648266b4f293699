#pragma once
// The logon task that starts Tidewell with Windows on NT 6.0 and later, as Task Scheduler XML.
#include <string>

#include "common/settings_keys.h" // kLogonTaskName

// A task that starts "programPath" -PowerOn when the user (a SID text) logs on, with the highest
// rights that user has, with no time limit, and on battery as on mains.
std::string LogonTaskXml(const std::string& programPath, const std::string& userSid);
