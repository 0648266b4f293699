#pragma once
// The startup entries in the registry and Delay.ini, and the operations that move them.
// `delayList` is the path of Delay.ini; the program keeps it beside itself.
#include <windows.h>

#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

std::string DelayListPath();

// Every entry except the program's own, in key order, at most kMaxStartupItems; returns the count.
int LoadStartupItems(std::vector<StartupItem>& table, const std::string& delayList);
// Moves the entry for the chosen mode, target first: when the target cannot be written the
// entry stays where it was. A registry entry moves with its type and bytes exactly as stored.
// Delaying an entry that holds no command, that does not fit Delay.ini (a line break or a NUL), into
// a Delay.ini outside a protected place (the launcher would never start it) or into a full list, is
// refused with a message and nothing moves; otherwise delaying runs CheckOwnEntry afterwards. True
// when the entry moved.
bool SetStartMode(const StartupItem& item, int mode, int minutes, const std::string& delayList,
                  HWND owner = nullptr);
// True when the entry is gone from where it lived.
bool DeleteStartupItem(const StartupItem& item, const std::string& delayList);
// Creates the disabled keys where missing.
void EnsureDisabledKeys();
// Tells the user when Tidewell does not start with Windows (neither its logon task nor its Run
// value exists): delayed entries start only then.
void CheckOwnEntry(HWND owner = nullptr);
// Removes paused and delayed copies of entries that are active again and lists them in one message.
void CheckStartupConflicts(const std::string& delayList, HWND owner = nullptr);
