#include "monitors/cpu_usage.h"

#include <cmath>
#include <limits>

CpuSample PreviousCpuSample;

bool LoadBetween(const CpuSample& previous, const CpuSample& now, uint32_t processors,
                 int32_t& load)
{
    const double idleDelta = static_cast<double>(now.idleTime) - static_cast<double>(previous.idleTime);
    const double timeDelta = static_cast<double>(now.systemTime) - static_cast<double>(previous.systemTime);
    // Two samples within one step of the system clock, or a clock set back: no measure.
    if (timeDelta <= 0 || processors == 0)
        return false;
    const double rounded = 100.0 - idleDelta / timeDelta * 100.0 / processors + 0.5;
    if (!std::isfinite(rounded) || rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()) ||
        rounded <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return false;
    load = static_cast<int32_t>(rounded);
    return true;
}

void AdvanceCpuSample(const CpuSample& now, uint32_t processors, int32_t* load)
{
    int32_t measured = 0;
    if (PreviousCpuSample.idleTime != 0 && LoadBetween(PreviousCpuSample, now, processors, measured))
        *load = measured;
    PreviousCpuSample = now;
}
