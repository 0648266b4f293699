#pragma once
// What each position of the cache dialog's two sliders writes to the registry and shows.
#include <cstdint>
#include <string>

namespace cache {

inline constexpr int kHardDiskPositions = 5;
inline constexpr int kCdPositions = 4;

// Table H: hard-disk I/O cache in bytes, shown as number / 1024000 megabytes.
inline constexpr std::uint32_t kHardDiskCache[kHardDiskPositions] = {4096000, 8192000, 16384000,
                                                                     32768000, 65536000};
// Table C: CDFS CacheSize.
inline constexpr std::uint32_t kCdCacheSize[kCdPositions] = {619, 619, 1238, 2476};
// Table P: CDFS Prefetch and PrefetchTail, also the kilobytes shown.
inline constexpr std::uint32_t kCdPrefetch[kCdPositions] = {228, 1792, 2144, 4128};
inline constexpr const char* kCdDeviceNames[kCdPositions] = {"CD/DVD-ROM", "DVD Play", "CD-RW",
                                                             "DVD-RW"};

// Positions outside a slider's range are clamped, as the slider itself does.
int ClampHardDiskPosition(long position);
int ClampCdPosition(long position);

// The hard-disk position suggested for a machine with this much memory when nothing is saved.
int HardDiskPositionForMemory(int totalPhysEvenMB);

// "%ldMB" of table H.
std::string HardDiskLabel(int position);
// "%s %ldKB": the CD label as the slider set-up writes it.
std::string CdLabelAtSetup(int position);
// "%s %ld KB": the CD label after a drag of the slider.
std::string CdLabelAfterDrag(int position);
// "%ld KB": the CD slider's end labels.
std::string KilobytesLabel(long kilobytes);

} // namespace cache
