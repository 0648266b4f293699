#include "memory/free_memory.h"

int32_t FreeMemoryPercent(const MemoryStatus& status)
{
    if (status.totalPhysMB <= 0 || status.availPhysMB <= 0)
        return 0;
    // Whole numbers: a floating-point quotient makes 174 of 600 read as 28 %.
    return static_cast<int32_t>(int64_t{status.availPhysMB} * 100 / status.totalPhysMB);
}
