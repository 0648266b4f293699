#pragma once
// What the installer's removal asks of the program ("Tidewell.exe -Uninstall <user SID>
// KeepSettings=<0|1>"): take away the start with Windows, put the delayed entries back into their
// Run keys, end every running copy, and with KeepSettings=0 remove the settings. An upgrade removes the older version too; then nothing is taken away, since the
// newer one carries on with them.
#include <optional>
#include <string>

#include "app/settings/program_arguments.h"

// The installer's product family: every version of the package shares it.
constexpr char kUpgradeCode[] = "{7EFB937D-166C-4844-B141-8E6DF6FC1615}";

// `userSid`: the account the removal is for, whose Run key takes back the delayed entries of no
// recorded owner; this process's own account when none is given.
void UndoInstallation(const UninstallArguments& arguments = {});

// More than one installed product of the family: the removal is half of an upgrade. Windows tells
// the removed package so, Wine's installer does not; the installed products tell either way.
bool UpgradeUnderway();

// Ends every process but this one that runs the program file at `programPath` (compared where
// the files really lie, so no window title or process name can stand in for it): as at logoff
// where its windows are on this desktop, ending it if it has not gone within 10 s; at once where
// none is (the installer's removal runs in a session of its own).
void EndRunningCopies(const std::string& programPath);
