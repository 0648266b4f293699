#pragma once
// What only undocumented entry points of uxtheme.dll do: menus (the tray's among them) drawn dark
// while the app mode is dark, and a window's scroll bars and frame allowed to follow it. Each is
// taken by its ordinal, only on Windows 10 1809 and later, and only when all four are there;
// elsewhere (older Windows, Wine) nothing happens and menus stay light.
#include <windows.h>

namespace win32 {

// Once, before the first window: this program's menus follow the app mode from now on.
void AllowDarkMenus();
// After the app mode changed: menus opened from now on take the new one.
void RefreshDarkMenus();
// The window's own parts the system draws (scroll bars, frame) may go dark.
void AllowDarkWindow(HWND window, bool dark);

} // namespace win32
