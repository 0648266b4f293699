#include "memory/memory_status.h"

#include <cstdlib>
#include <limits>

namespace {
constexpr uint64_t kMaxMB = static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) - 1;
constexpr int32_t kInstalledSizesMB[] = {32, 64, 128, 192, 256, 384, 512};
} // namespace

int32_t WholeMB(uint64_t bytes)
{
    const uint64_t mb = bytes >> 20;
    return static_cast<int32_t>(mb > kMaxMB ? kMaxMB : mb);
}

int32_t EvenMB(uint64_t bytes)
{
    const int32_t mb = WholeMB(bytes);
    return mb % 2 != 0 ? mb + 1 : mb;
}

int32_t SnapToInstalledMB(int32_t evenMB)
{
    for (int32_t size : kInstalledSizesMB) {
        if (evenMB <= size)
            return size;
    }
    return evenMB;
}

MemoryStatus StatusFromFigures(const MemoryFigures& figures)
{
    MemoryStatus status;
    status.availPhysMB = EvenMB(figures.availPhys);
    status.totalPhysMB = SnapToInstalledMB(EvenMB(figures.totalPhys));
    status.availVirtualMB = WholeMB(figures.availVirtual);
    status.totalVirtualMB = WholeMB(figures.totalVirtual);
    return status;
}

CleanGain GainBetween(const MemoryStatus& before, const MemoryStatus& after, uint32_t pageSize)
{
    const int64_t delta = static_cast<int64_t>(after.availPhysMB) - before.availPhysMB;
    const uint64_t absolute = static_cast<uint64_t>(delta < 0 ? -delta : delta);
    CleanGain gain;
    gain.megabytes = static_cast<int32_t>(absolute > kMaxMB ? kMaxMB : absolute);
    gain.pages = pageSize == 0 ? 0 : (absolute << 20) / pageSize;
    return gain;
}
