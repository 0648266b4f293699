#pragma once
// The tool dialogs' background: a grey field with a white rounded panel, a thin rim and a shadow.
#include <windows.h>

namespace win32 {

inline constexpr COLORREF kToolFieldColour = RGB(215, 215, 215);

void PaintToolBackground(HWND dialog, HDC dc);

} // namespace win32
