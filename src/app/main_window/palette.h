#pragma once
// The main window's colours, each named once: its own look, light or dark as Windows' app mode is,
// or, while high contrast is on, the colours the user chose for the system. Free of any window, so
// tested natively.
#include <array>

#include "controls/colour.h"

namespace palette {

using controls::Colour;
using controls::Rgb;

// The window's own look.
inline constexpr Colour kNavy = Rgb(0, 0, 90);              // the monitor panel and its labels
inline constexpr Colour kLightBlue = Rgb(19, 238, 255);     // titles, resting gauges, the memory caption
inline constexpr Colour kFigureText = Rgb(255, 238, 255);   // percentages and the clock
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);              // the settings' texts
inline constexpr Colour kClockPanel = Rgb(50, 60, 50);
inline constexpr Colour kGrey = Rgb(85, 85, 85);            // unlit gauge segments, the monitor's shadow
inline constexpr Colour kDarkShadow = Rgb(50, 50, 50);      // the right panel's shadow
inline constexpr Colour kWindowField = Rgb(215, 215, 215);
inline constexpr Colour kAlertRed = Rgb(255, 0, 0);         // the memory caption at the alert value
inline constexpr Colour kCleaningGreen = Rgb(0, 255, 0);    // the gauge of a run, the first caption
inline constexpr Colour kCleaningTitle = Rgb(0, 238, 0);
inline constexpr Colour kCpuLine = Rgb(255, 249, 100);
// The dark app mode changes only what surrounds the monitor: the monitor is dark already.
inline constexpr Colour kDarkField = Rgb(32, 32, 32);
inline constexpr Colour kDarkSettings = Rgb(43, 43, 43);
inline constexpr Colour kDarkSettingsText = Rgb(240, 240, 240);

// The system colours a high-contrast scheme sets (GetSysColor).
struct SystemColours {
    Colour window = 0, windowText = 0;     // COLOR_WINDOW, COLOR_WINDOWTEXT
    Colour buttonFace = 0, buttonText = 0; // COLOR_BTNFACE, COLOR_BTNTEXT
    Colour highlight = 0;                  // COLOR_HIGHLIGHT
    Colour grayText = 0;                   // COLOR_GRAYTEXT
};

// Every colour the main window draws with, by what it is for.
struct MonitorPalette {
    Colour field;                           // around the panels
    Colour panel, panelShadow;              // the monitor on the left
    Colour settings, settingsShadow, settingsText; // the right half and its controls' texts
    Colour clockPanel;                      // under the clock's labels
    Colour title, titleCleaning, figure, line; // label texts: headings, percentages and clock, lines
    Colour gaugeField;                      // between the segments
    Colour gaugeUnlit, gaugeUnlitBorder;    // a segment not reached
    Colour gaugeLit, gaugeCleaning;         // a segment reached, and during a cleaning run
    Colour graphBackground, graphGrid, cpuLine;
    Colour memoryBar, memoryHatch;          // the memory graph's bars and background hatch
    std::array<Colour, 3> memoryReferences; // its lines at 75, 50 and 25 % used
    Colour caption, captionAlert;           // the memory graph's caption, and at the alert value
    bool highContrast;
    bool dark;
};

// High contrast wins over the app mode: each text on the background the scheme pairs it with,
// figures and lines in the highlight colour, grids and guides in the grey text colour. The fixed
// look's three coloured reference lines are one colour then: the scheme has no three colours that
// all stand out. Dark: the field and the settings panel dark, the monitor's own colours kept.
MonitorPalette ChooseMonitorPalette(bool highContrast, bool dark, const SystemColours& system);

} // namespace palette
