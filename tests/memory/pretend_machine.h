#pragma once
// Replaces the memory-status source for one test, so that cleaning commits only what a small
// machine would; the system's own source comes back at the end of the scope.
#include <cstdint>

#include "memory/memory_status.h"

namespace testing_support {

constexpr uint64_t kMB = 1024 * 1024;

inline MemoryFigures SmallMachine(uint64_t totalPhys, uint64_t availPhys)
{
    MemoryFigures figures;
    figures.totalPhys = totalPhys;
    figures.availPhys = availPhys;
    figures.memoryLoad = totalPhys ? static_cast<uint32_t>(100 - availPhys * 100 / totalPhys) : 0;
    figures.totalPageFile = 2 * totalPhys;
    figures.availPageFile = totalPhys;
    figures.totalVirtual = 2048 * kMB;
    figures.availVirtual = 1900 * kMB;
    return figures;
}

class PretendMachine {
public:
    explicit PretendMachine(const MemoryFigures& figures)
    {
        SetMemoryStatusSource([figures] { return figures; });
    }
    PretendMachine(uint64_t totalPhys, uint64_t availPhys)
        : PretendMachine(SmallMachine(totalPhys, availPhys)) {}
    ~PretendMachine() { SetMemoryStatusSource(nullptr); }
    PretendMachine(const PretendMachine&) = delete;
    PretendMachine& operator=(const PretendMachine&) = delete;
};

} // namespace testing_support
