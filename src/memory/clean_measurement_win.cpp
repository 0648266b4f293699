#include "memory/clean_measurement.h"

#include <windows.h>

CleanMeasurement MeasureCleanStart()
{
    CleanMeasurement measurement;
    measurement.startLocal = CurrentLocalTime();
    measurement.startUtc = CurrentUtcTime();
    measurement.startTick = TickCount();
    measurement.before = ReadMemoryFigures();
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    measurement.pageSize = system.dwPageSize;
    return measurement;
}

void MeasureCleanEnd(CleanMeasurement& measurement)
{
    measurement.after = ReadMemoryFigures();
    measurement.durationMs = TickCount() - measurement.startTick;
    measurement.ended = true;
}
