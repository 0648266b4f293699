#pragma once
// Which family and version of Windows runs the program.
#include "common/windows_version.h"

// True on Windows 95/98/Me: the one platform-family test of the program.
bool IsWindows9x();
// The true version, also where GetVersionEx stops at 6.2 for want of a manifest entry.
WindowsVersion RunningWindowsVersion();
