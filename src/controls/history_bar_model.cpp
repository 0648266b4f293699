#include "controls/history_bar_model.h"

#include <cstdint>

namespace controls {

int ClampToRange(int value, int lower, int upper)
{
    if (value > upper)
        value = upper;
    if (value < lower)
        value = lower;
    return value;
}

int HistoryBarHeight(int position, int lower, int upper, int height)
{
    const std::int64_t range = static_cast<std::int64_t>(upper) - lower;
    if (range <= 0)
        return 0;
    // 64-bit: megabyte ranges times pixel heights pass 2^31 on large machines.
    return static_cast<int>((static_cast<std::int64_t>(position) - lower) * height / range);
}

} // namespace controls
