#pragma once
// One clean's measurement: when it began, how long it took and the memory figures before and
// after it. Taken once per clean; the report and the history's record are both made from it.
#include <cstdint>

#include "common/clock.h"
#include "memory/memory_status.h"

struct CleanMeasurement {
    LocalTime startLocal, startUtc;
    uint32_t startTick = 0;  // TickCount at the start
    uint32_t durationMs = 0; // set by the end
    MemoryFigures before, after;
    bool ended = false;      // `after` and the duration hold the end's figures
    uint32_t pageSize = 0;

    MemoryStatus StatusBeforeRun() const { return StatusFromFigures(before); }
    MemoryStatus StatusAfterRun() const { return StatusFromFigures(after); }
    // Megabytes of available memory gained, signed, from the rounded figures every window shows.
    int32_t GainedMB() const
    {
        return static_cast<int32_t>(int64_t{StatusAfterRun().availPhysMB} - StatusBeforeRun().availPhysMB);
    }
};

// The time, the tick and the figures now (clean_measurement_win.cpp).
CleanMeasurement MeasureCleanStart();
// The figures now and the time since the start.
void MeasureCleanEnd(CleanMeasurement& measurement);
