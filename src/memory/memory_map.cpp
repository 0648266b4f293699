#include "memory/memory_map.h"

#include <algorithm>
#include <numeric>

namespace {

// The low-priority purge takes the standby pages of priority 0 alone.
constexpr size_t kLowPriorities = 1;

} // namespace

Bytes ListFigure(const MemoryMap& map, uint64_t MemoryLists::*figure)
{
    return map.lists ? Bytes((*map.lists).*figure) : std::nullopt;
}

Bytes StandbyFigure(const MemoryMap& map) { return map.lists ? Bytes(map.lists->Standby()) : std::nullopt; }

uint64_t MemoryLists::Standby() const { return std::accumulate(standbyByPriority.begin(), standbyByPriority.end(), uint64_t{0}); }

std::optional<ProgramsSummary> SummarisePrograms(const MemoryMap& map)
{
    if (!map.programs)
        return std::nullopt;
    ProgramsSummary summary;
    summary.privateSets = std::ranges::any_of(*map.programs, [](const ProgramMemory& p) { return p.privateWorkingSet > 0; });
    std::vector<std::pair<std::string, uint64_t>> all;
    for (const ProgramMemory& program : *map.programs) {
        const uint64_t bytes = summary.privateSets ? program.privateWorkingSet : program.workingSet;
        all.emplace_back(program.name, bytes);
        summary.total += bytes;
        if (!program.leftAlone)
            summary.notLeftAlone += bytes;
    }
    // Ties by name, so that a refresh does not shuffle equal rows.
    std::ranges::sort(all, [](const auto& a, const auto& b) { return a.second != b.second ? a.second > b.second : a.first < b.first; });
    const size_t shown = std::min(all.size(), kLargestPrograms);
    summary.largest.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(shown));
    summary.restCount = all.size() - shown;
    for (size_t i = shown; i < all.size(); ++i)
        summary.rest += all[i].second;
    return summary;
}

std::vector<MethodReach> MethodReaches(const MemoryMap& map)
{
    const std::optional<ProgramsSummary> programs = SummarisePrograms(map);
    Bytes lowStandby;
    if (map.lists)
        lowStandby = std::accumulate(map.lists->standbyByPriority.begin(),
                                     map.lists->standbyByPriority.begin() + kLowPriorities, uint64_t{0});
    const std::pair<CleaningMethod, Bytes> reaches[] = {
        {kFillAndRelease, std::nullopt}, // it takes what the system gives up under pressure
        {kEmptyWorkingSets, programs ? Bytes(programs->notLeftAlone) : std::nullopt},
        {kShrinkFileCache, map.systemCache},
        {kFlushModifiedList, ListFigure(map, &MemoryLists::modified)},
        {kPurgeStandbyList, StandbyFigure(map)},
        {kPurgeLowPriorityStandby, lowStandby},
        {kCombinePages, std::nullopt}, // which pages are alike is known only once they are compared
    };
    std::vector<MethodReach> out;
    for (const auto& [method, bytes] : reaches)
        out.push_back({method, (map.offered & method) ? bytes : std::nullopt});
    return out;
}

std::array<Bytes, kMapParts> BarParts(const MemoryMap& map)
{
    const std::optional<ProgramsSummary> programs = SummarisePrograms(map);
    // Whole working sets count a shared page once in each program that maps it.
    return {programs && programs->privateSets ? Bytes(programs->total) : std::nullopt,
            map.systemCache,
            map.nonPagedPool,
            map.compressionStore,
            ListFigure(map, &MemoryLists::modified),
            StandbyFigure(map),
            ListFigure(map, &MemoryLists::free),
            ListFigure(map, &MemoryLists::zeroed)};
}
