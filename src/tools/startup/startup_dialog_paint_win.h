#pragma once
// The tool background of the two startup dialogs, with their labels on the white panel.
#include <windows.h>

// Paints the whole client area; always true.
bool PaintStartupDialog(HWND dialog);
// White behind static texts, group boxes and radio buttons; null for other controls.
HBRUSH StartupControlBrush(HDC dc, HWND control, UINT message);
