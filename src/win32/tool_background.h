#pragma once
// The tool dialogs' background: a field with a rounded panel, a thin rim and a shadow, in the
// colours of the look the user chose.
#include <windows.h>

#include "win32/system_look.h"

namespace win32 {

struct ToolColours {
    COLORREF field, shadow, rim, panel, text;
    COLORREF link, linkVisited, linkHover; // link labels on the panel
};

// High contrast takes the scheme's colours; its text and links read on its window colour.
ToolColours ToolColoursFor(Look look);

void PaintToolBackground(HWND dialog, HDC dc, const ToolColours& colours);

} // namespace win32
