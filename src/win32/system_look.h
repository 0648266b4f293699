#pragma once
// How the user wants windows to look: high contrast, or the light or dark app mode of Windows'
// colour settings; and whether the taskbar is light. Read when asked (a window asks when it opens
// and after IsLookChange), never on a timer.
#include <windows.h>

namespace win32 {

enum class Look { Light, Dark, HighContrast };

// High contrast wins; dark where the app mode is dark (AppsUseLightTheme = 0, Windows 10 and
// later). Windows itself draws desktop programs dark from 1809 on; the program's own colours follow
// the user's choice on any build that stores it.
Look SystemLook();
// Light only where Windows' own mode is light (SystemUsesLightTheme = 1, Windows 10 1903 and
// later): before that the taskbar was always dark.
bool TaskbarIsLight();
// After these the answers above may differ: the system's colours, high contrast, or the colour
// settings ("ImmersiveColorSet", which both modes broadcast).
bool IsLookChange(UINT message, WPARAM wp, LPARAM lp);

// The running Windows 10 or 11's build number; 0 for older Windows or where it cannot be told.
DWORD WindowsBuild();
// Windows 10 1809: the first with dark title bars, dark themes of the standard controls and the
// undocumented entry points of dark_menus.h.
inline constexpr DWORD kFirstDarkBuild = 17763;

} // namespace win32
