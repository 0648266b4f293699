#include "memory/memory_cleaner.h"

#include <cstdio>
#include <cstring>

int CMemoryCleaner::StepCountFor(int32_t freePercent)
{
    // The more memory is already free, the shallower the run.
    return freePercent < 75 ? 6 : 4;
}

uint64_t CMemoryCleaner::BlockBytes(int eighths, uint64_t totalPhys)
{
    if (eighths <= 0)
        return 0;
    const uint64_t n = static_cast<uint64_t>(eighths);
    return (totalPhys / 8) * n + (totalPhys % 8) * n / 8;
}

void CMemoryCleaner::ZeroBlock(void* block, size_t bytes)
{
    std::memset(block, 0, bytes);
}

std::string CMemoryCleaner::ProgressText(int sevenths)
{
    // Single precision on purpose: 100/7 as the label has always rounded it.
    const float percent = static_cast<float>(sevenths) * 14.285714f;
    char text[32];
    std::snprintf(text, sizeof(text), "%3.0f%%", static_cast<double>(percent));
    return text;
}
