#pragma once
// How much memory is free, as the windows, the tray and the console program show it.
#include <cstdint>

#include "memory/memory_status.h"

// Free part of a total; 0 for a zero total (a machine without a page file).
double FreeRatio(uint64_t available, uint64_t total);
// That part in whole percent, rounded: the page file's and virtual memory's figures.
int32_t RoundedFreePercent(uint64_t available, uint64_t total);
// Available physical memory in percent of the installed; 0 when nothing is installed.
double PhysicalFreePercent(const MemoryStatus& status);
// Free physical memory as a whole percentage of the (snapped) installed memory, truncated.
int32_t FreeMemoryPercent(const MemoryStatus& status);
