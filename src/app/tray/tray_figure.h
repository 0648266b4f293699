#pragma once
// The colours of the tray picture: the figure on its badge and, where the badge would melt into
// the taskbar around it, a rim. Free of any window, so tested natively.
#include <optional>

#include "controls/colour.h"

// The taskbar as Windows 11 paints it in its light and its dark mode; the accent colour a user may
// put on it is not known to the program.
inline constexpr controls::Colour kLightTaskbar = controls::Rgb(238, 238, 238);
inline constexpr controls::Colour kDarkTaskbar = controls::Rgb(32, 32, 32);

// A high-contrast scheme's window colour and the text drawn on it.
struct SchemeColours {
    controls::Colour back = 0, text = 0;
};

struct TrayColours {
    controls::Colour badge = 0, figure = 0;
    std::optional<controls::Colour> rim;
    bool operator==(const TrayColours&) const = default;
};

// The badge keeps its colour (it tells how much memory is in use) and the figure is black where it
// reads on it, else white. A badge too close to the taskbar to be told from it gets a rim in the
// colour that stands out most there. High contrast: the scheme's colours, with a rim always.
TrayColours ChooseTrayColours(controls::Colour badge, bool lightTaskbar, const std::optional<SchemeColours>& highContrast);
