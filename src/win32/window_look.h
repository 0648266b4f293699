#pragma once
// A window in the look the user chose: its title bar (DWM) and its standard controls (the system's
// dark themes, list views' colours). Its own painting and WM_CTLCOLOR answers stay its own; the
// dark colours for them are here.
#include <windows.h>

#include "win32/system_look.h"

namespace win32 {

inline constexpr COLORREF kDarkWindow = RGB(32, 32, 32);    // a dark dialog, and the fields in it
inline constexpr COLORREF kDarkPanel = RGB(43, 43, 43);     // the panel the controls sit on
inline constexpr COLORREF kDarkText = RGB(240, 240, 240);

// `window` and each of its children take the look. A light window that never was dark is left as
// the system made it.
void ApplyLookToWindow(HWND window, Look look, bool wasDark);

} // namespace win32
