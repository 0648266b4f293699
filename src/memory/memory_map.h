#pragma once
// Where physical memory goes: what the system says of the programs, the kernel and the memory
// lists, and what each cleaning method could take of it now. A figure the system does not give is
// empty, never 0. Free of any system call, so it is tested natively.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "memory/cleaning_methods.h"

using Bytes = std::optional<uint64_t>;

constexpr size_t kStandbyPriorities = 8;

// The memory lists, all from one call of the system's.
struct MemoryLists {
    std::array<uint64_t, kStandbyPriorities> standbyByPriority{};
    uint64_t modified = 0, free = 0, zeroed = 0;
    uint64_t Standby() const;
};

struct ProgramMemory {
    std::string name;
    uint64_t workingSet = 0;
    uint64_t privateWorkingSet = 0; // 0 where the system does not give it
    bool leftAlone = false;         // on the keep or the pause list
};

struct MemoryMap {
    Bytes installed, total; // the memory modules; what Windows can use of them
    std::optional<std::vector<ProgramMemory>> programs; // none when the process list could not be read
    uint32_t programsNotMeasured = 0;                    // running, but not opened
    Bytes systemCache, pagedPool, nonPagedPool, compressionStore;
    std::optional<MemoryLists> lists;
    MethodSet offered = 0; // the methods this Windows has
};

// A list's figure, none where the lists were not read.
Bytes ListFigure(const MemoryMap& map, uint64_t MemoryLists::*figure);
Bytes StandbyFigure(const MemoryMap& map);

// The programs by the most telling figure the system gives: private working sets where it gives
// them for any program, else whole working sets (which count shared pages in each program).
constexpr size_t kLargestPrograms = 10;
struct ProgramsSummary {
    bool privateSets = false;
    std::vector<std::pair<std::string, uint64_t>> largest; // largest first
    uint64_t rest = 0;
    size_t restCount = 0;
    uint64_t total = 0;
    uint64_t notLeftAlone = 0; // what emptying the working sets reaches
};
std::optional<ProgramsSummary> SummarisePrograms(const MemoryMap& map);

// What a method could take now, in the order the methods dialog lists them; empty for a method
// whose take cannot be known before it runs, or that this Windows does not have.
struct MethodReach {
    CleaningMethod method;
    Bytes bytes;
};
std::vector<MethodReach> MethodReaches(const MemoryMap& map);

// The parts of the bar, in its order: each a share of physical memory that no other part holds.
// The paged pool is not one (part of it may be paged out), nor are whole working sets.
enum class MapPart { Programs, SystemCache, NonPagedPool, CompressionStore, Modified, Standby, Free, Zeroed };
constexpr size_t kMapParts = 8;
std::array<Bytes, kMapParts> BarParts(const MemoryMap& map);
