#pragma once
// Arithmetic of the memory history graph: the value range and the height of one bar.
#include "controls/colour.h"

namespace controls {

inline constexpr int kHistoryScrollStep = 4;
inline constexpr int kHistoryBarWidth = 2;
inline constexpr Colour kHistoryBarColour = Rgb(19, 201, 235);
inline constexpr Colour kHistoryHatchColour = Rgb(19, 161, 180);

struct ReferenceLine {
    int row;
    Colour colour;
};
inline constexpr ReferenceLine kHistoryReferenceLines[] = {
    {19, Rgb(255, 0, 0)}, {43, Rgb(205, 199, 80)}, {67, Rgb(55, 255, 20)}};

// The value kept in [lower, upper] (lower wins when the range is upside down).
int ClampToRange(int value, int lower, int upper);
// Bar height in pixels for a value on a graph `height` pixels high, rounded toward zero.
// An empty range (upper == lower) draws no bar.
int HistoryBarHeight(int position, int lower, int upper, int height);

} // namespace controls
