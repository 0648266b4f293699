#include "monitors/cpu_clock.h"

#include <cstdio>

uint32_t PickClockMHz(const ClockMethods& methods)
{
    for (const auto* method : {&methods.fromRegistry, &methods.measureQpc, &methods.measureTimer})
        if (*method)
            if (const uint32_t mhz = (*method)(); mhz != 0)
                return mhz;
    return 0;
}

std::string FormatClockText(uint32_t mhz)
{
    if (mhz == 0)
        return "Unknown";
    char text[32];
    std::snprintf(text, sizeof text, "%d MHZ", static_cast<int>(mhz));
    return text;
}

uint32_t ClockFromCounterSpan(uint32_t tscDelta, int64_t counterDelta, int64_t frequency)
{
    if (frequency <= 0 || counterDelta <= 0)
        return 0;
    const int64_t microseconds = counterDelta * 1'000'000 / frequency;
    // A span shorter than a microsecond would divide by zero.
    if (microseconds <= 0)
        return 0;
    return static_cast<uint32_t>(tscDelta / static_cast<uint64_t>(microseconds));
}

uint32_t ClockFromTimerSpan(uint32_t tscDelta)
{
    return tscDelta / 500'000u;
}
