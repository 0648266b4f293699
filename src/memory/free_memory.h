#pragma once
#include <cstdint>

#include "memory/memory_status.h"

// Free physical memory as a whole percentage of the (snapped) installed memory, truncated.
int32_t FreeMemoryPercent(const MemoryStatus& status);
