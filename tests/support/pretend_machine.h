#pragma once
// Pretends a small machine for one scope, so that cleaning commits only what it would there.
#include <cstdint>

#include "memory/memory_status.h"

namespace testing_support {

constexpr uint64_t kMB = 1024 * 1024;

class PretendMachine {
public:
    PretendMachine(uint64_t totalPhys, uint64_t availPhys)
    {
        MemoryFigures figures;
        figures.totalPhys = totalPhys;
        figures.availPhys = availPhys;
        figures.totalVirtual = 2048 * kMB;
        figures.availVirtual = 1900 * kMB;
        SetMemoryStatusSource([figures] { return figures; });
    }
    ~PretendMachine() { SetMemoryStatusSource(nullptr); }
    PretendMachine(const PretendMachine&) = delete;
    PretendMachine& operator=(const PretendMachine&) = delete;
};

} // namespace testing_support
