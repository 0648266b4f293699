#pragma once
// A window's text (caption or control text) as a string.
#include <windows.h>

#include <string>

namespace win32 {

std::string WindowText(HWND window);

// The control's place in its parent's client area.
RECT PlaceInParent(HWND control);
// The height `text` needs in the control's font when wrapped at the control's width.
int WrappedTextHeight(HWND control, const std::string& text);

} // namespace win32
