#pragma once
// Colours as 0x00BBGGRR, the layout GDI's COLORREF uses, so portable code can hold them.
#include <cstdint>

namespace controls {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}

inline constexpr Colour kGraphBackground = Rgb(0, 0, 90);
inline constexpr Colour kGraphGrid = Rgb(19, 161, 180);

} // namespace controls
