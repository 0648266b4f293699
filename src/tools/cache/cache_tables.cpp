#include "tools/cache/cache_tables.h"

#include <algorithm>
#include <cstdio>

namespace cache {

int ClampHardDiskPosition(long position)
{
    return static_cast<int>(std::clamp(position, 0L, long{kHardDiskPositions - 1}));
}

int ClampCdPosition(long position)
{
    return static_cast<int>(std::clamp(position, 0L, long{kCdPositions - 1}));
}

int HardDiskPositionForMemory(int totalPhysEvenMB)
{
    switch (totalPhysEvenMB) {
    case 32:
        return 0;
    case 64:
        return 1;
    case 128:
        return 2;
    case 256:
        return 3;
    default:
        return totalPhysEvenMB <= 256 ? 1 : 4;
    }
}

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buffer[300];
    std::snprintf(buffer, sizeof(buffer), format, args...);
    return buffer;
}

} // namespace

std::string HardDiskLabel(int position)
{
    return Format("%ldMB", static_cast<long>(kHardDiskCache[ClampHardDiskPosition(position)] / 1024000));
}

std::string CdLabelAtSetup(int position)
{
    const int p = ClampCdPosition(position);
    return Format("%s %ldKB", kCdDeviceNames[p], static_cast<long>(kCdPrefetch[p]));
}

std::string CdLabelAfterDrag(int position)
{
    const int p = ClampCdPosition(position);
    return Format("%s %ld KB", kCdDeviceNames[p], static_cast<long>(kCdPrefetch[p]));
}

std::string KilobytesLabel(long kilobytes) { return Format("%ld KB", kilobytes); }

} // namespace cache
