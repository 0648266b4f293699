#pragma once
// A window's text (caption or control text) as a string.
#include <windows.h>

#include <string>

namespace win32 {

std::string WindowText(HWND window);

} // namespace win32
