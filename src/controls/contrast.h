#pragma once
// How well one colour reads on another, as the accessibility guidelines measure it: the ratio of
// the two colours' relative luminances, each plus 0.05, from 1 (none) to 21 (black on white).
#include "controls/colour.h"

namespace controls {

// What the guidelines ask of text, and of the shapes a user needs to see.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kShapeContrast = 3.0;

double RelativeLuminance(Colour colour);
double ContrastRatio(Colour a, Colour b);
// The preferred colour where it reads on the background; else black or white, whichever reads best.
Colour ReadableOn(Colour background, Colour preferred, double least = kTextContrast);

} // namespace controls
