#pragma once
// Clock estimates of CCpuInfo: the time-stamp counter against the high-resolution counter, and
// a timed bit-scan loop for processors without a time-stamp counter.
#include "monitors/cpuid_source.h"

#include <cstdint>

// The clock object of CCpuInfo.
struct CCpuClock {
    int32_t mhz = -1;
};

// Counts of the time-stamp counter across a 50 ms busy wait (A) and across an overhead pass
// that does the same set-up (B); all ones when RDTSC faults.
uint64_t MeasureBusyWaitCycles(const CpuProbe& probe);
uint64_t MeasureOverheadCycles(const CpuProbe& probe);

// (A - B) / 50 cycles per millisecond, / 1000 for MHz.
int32_t ClockFromCycles(uint64_t busyWaitCycles, uint64_t overheadCycles);

int32_t MeasureTscClockMHz(const CpuProbe& probe);

// MHz (2^20 Hz units) for families 3 to 5; -1 for other families or without a usable counter.
int32_t EstimateLoopClockMHz(const CpuProbe& probe, uint32_t family);
// The same from an already timed loop of the given seconds.
int32_t LoopClockFromSeconds(uint32_t family, double seconds);
