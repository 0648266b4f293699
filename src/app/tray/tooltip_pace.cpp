#include "app/tray/tooltip_pace.h"

bool TooltipPace::Due(std::uint32_t now) const
{
    if (!handed_ || now - *handed_ >= kRestMs)
        return true;
    return looked_ && now - *looked_ < kLookMs;
}
