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

size_t CMemoryCleaner::ZeroInChunks(void* block, size_t bytes, size_t chunkBytes,
                                    const std::function<bool()>& stopped)
{
    auto* bytesAt = static_cast<unsigned char*>(block);
    size_t done = 0;
    while (done < bytes && !stopped()) {
        const size_t chunk = bytes - done < chunkBytes ? bytes - done : chunkBytes;
        std::memset(bytesAt + done, 0, chunk);
        done += chunk;
    }
    return done;
}

std::string CMemoryCleaner::ProgressText(int sevenths)
{
    // Single precision on purpose: 100/7 as the label has always rounded it.
    const float percent = static_cast<float>(sevenths) * 14.285714f;
    char text[32];
    std::snprintf(text, sizeof(text), "%3.0f%%", static_cast<double>(percent));
    return text;
}
