#pragma once
// The machine's memory figures and the whole-megabyte status every window shows.
#include <cstdint>
#include <functional>

// Everything GlobalMemoryStatusEx reports, in bytes.
struct MemoryFigures {
    uint32_t memoryLoad = 0; // percent in use
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
    uint64_t totalVirtual = 0;
    uint64_t availVirtual = 0;
};

// Megabytes, with the fixed rounding of StatusFromFigures.
struct MemoryStatus {
    int32_t availPhysMB = 0;
    int32_t totalPhysMB = 0;
    int32_t availVirtualMB = 0;
    int32_t totalVirtualMB = 0;
};

// Where the figures come from. The system's own source is the default; tests pretend a small
// machine through it so that cleaning commits little. Defined in memory_status_source_win.cpp.
using MemoryStatusSource = std::function<MemoryFigures()>;
MemoryFigures ReadMemoryFigures();
// An empty source restores the system's own.
void SetMemoryStatusSource(MemoryStatusSource source);

// Whole megabytes of a byte count (truncated).
int32_t WholeMB(uint64_t bytes);
// Megabytes to the nearest, as the history and the memory window show sizes.
constexpr uint64_t NearestMB(uint64_t bytes) { return (bytes + (uint64_t{1} << 19)) >> 20; }
// Whole megabytes rounded up to an even number.
int32_t EvenMB(uint64_t bytes);
// An even megabyte figure snapped up to the installed-memory size it most likely is.
int32_t SnapToInstalledMB(int32_t evenMB);
MemoryStatus StatusFromFigures(const MemoryFigures& figures);

// What a run gained, from the before and after snapshots; shown without its sign.
struct CleanGain {
    int32_t megabytes = 0; // absolute
    uint64_t pages = 0;
};
CleanGain GainBetween(const MemoryStatus& before, const MemoryStatus& after, uint32_t pageSize);
