#include "memory/free_memory.h"

#include <cmath>

double FreeRatio(uint64_t available, uint64_t total)
{
    return total == 0 ? 0.0 : static_cast<double>(available) / static_cast<double>(total);
}

int32_t RoundedFreePercent(uint64_t available, uint64_t total)
{
    return static_cast<int32_t>(std::lround(FreeRatio(available, total) * 100));
}

double PhysicalFreePercent(const MemoryStatus& status)
{
    return status.totalPhysMB <= 0 ? 0.0
                                   : static_cast<double>(status.availPhysMB) / status.totalPhysMB * 100.0;
}

int32_t FreeMemoryPercent(const MemoryStatus& status)
{
    if (status.totalPhysMB <= 0 || status.availPhysMB <= 0)
        return 0;
    // Whole numbers: a floating-point quotient makes 174 of 600 read as 28 %.
    return static_cast<int32_t>(int64_t{status.availPhysMB} * 100 / status.totalPhysMB);
}
