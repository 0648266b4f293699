#pragma once
// What the installer's removal asks of the program ("Tidewell.exe -Uninstall"): take away the start
// with Windows and Delay.ini, and end a running copy. An upgrade removes the older version too;
// then nothing is taken away, since the newer one carries on with them.

// The installer's product family: every version of the package shares it.
constexpr char kUpgradeCode[] = "{7EFB937D-166C-4844-B141-8E6DF6FC1615}";

void UndoInstallation();

// More than one installed product of the family: the removal is half of an upgrade. Windows tells
// the removed package so, Wine's installer does not; the installed products tell either way.
bool UpgradeUnderway();

// Has a running copy end as at logoff; ends its process if it does not within 10 s.
void EndRunningCopy();
