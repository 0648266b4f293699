#pragma once
// The main window's colours, each named once.
#include "controls/colour.h"

namespace palette {

using controls::Colour;
using controls::Rgb;

inline constexpr Colour kNavy = Rgb(0, 0, 90);              // the monitor panel and its labels
inline constexpr Colour kLightBlue = Rgb(19, 238, 255);     // titles, resting gauges, the memory caption
inline constexpr Colour kFigureText = Rgb(255, 238, 255);   // percentages and the clock
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kClockPanel = Rgb(50, 60, 50);
inline constexpr Colour kGrey = Rgb(85, 85, 85);            // unlit gauge segments, the monitor's shadow
inline constexpr Colour kDarkShadow = Rgb(50, 50, 50);      // the right panel's shadow
inline constexpr Colour kWindowField = Rgb(215, 215, 215);
inline constexpr Colour kAlertRed = Rgb(255, 0, 0);         // the memory caption at the alert value
inline constexpr Colour kCleaningGreen = Rgb(0, 255, 0);    // the gauge of a run, the first caption
inline constexpr Colour kCleaningTitle = Rgb(0, 238, 0);
inline constexpr Colour kCpuLine = Rgb(255, 249, 100);

} // namespace palette
