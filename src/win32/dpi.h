#pragma once
// Dots per inch: the window's own on systems that know per-monitor DPI, else the screen's.
#include <windows.h>

namespace win32 {

constexpr int kDesignDpi = 96; // the sizes written in the code are for this

int WindowDpi(HWND window);
// A length designed at 96 DPI, at `dpi`.
inline int ScaleForDpi(int length, int dpi) { return MulDiv(length, dpi, kDesignDpi); }
// The small-icon size the system asks for in the notification area.
int SmallIconSize();
// The small-icon size for a window's DPI: list views' icons.
int SmallIconSize(HWND window);

} // namespace win32
