#include "memory/memory_map_win.h"

#include <windows.h>
#include <psapi.h>

#include "common/running_programs_win.h"
#include "common/setting_store_win.h"
#include "common/settings_keys.h"
#include "common/windows_family_win.h"
#include "memory/memory_lists_win.h"
#include "memory/memory_status.h"
#include "win32/handles.h"

namespace {

// PROCESS_MEMORY_COUNTERS_EX2, which the headers here do not all have: the private working set
// arrived with updates of Windows 10 and 11 in 2023.
struct ProcessCountersEx2 {
    PROCESS_MEMORY_COUNTERS_EX counters;
    SIZE_T privateWorkingSetSize;
    ULONG64 sharedCommitUsage;
};

// The process that holds the compressed pages; its working set is the store.
constexpr char kCompressionProcess[] = "Memory Compression";

// Figures the system leaves at 0 it did not fill in (Wine): Windows always has some.
Bytes Given(uint64_t bytes) { return bytes ? Bytes(bytes) : std::nullopt; }

bool Listed(const ProgramList& list, const std::string& fileName, const std::string& path)
{
    return !ListedEntryFor(list, fileName).empty() || (!path.empty() && !ListedEntryFor(list, path).empty());
}

void ReadPrograms(MemoryMap& map)
{
    // Read with a user's rights alone (the console program is not elevated), an organisation's lists first.
    const SettingValues settings = ReadSettingValues();
    const ProgramList keep = settings.List(kKeepWorkingSets), pause = settings.List(kPausePrograms);
    const bool paths = ListNamesPaths(keep) || ListNamesPaths(pause);
    std::vector<ProgramMemory> programs;
    const bool read = ForEachRunningProcess([&](const RunningProcess& process) {
        win32::UniqueHandle opened(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
        ProcessCountersEx2 counters{};
        counters.counters.cb = sizeof counters;
        // Systems before the larger record refuse its size; the plain one then.
        const bool measured =
            opened && (GetProcessMemoryInfo(opened.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                            sizeof counters) ||
                       GetProcessMemoryInfo(opened.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                            sizeof(PROCESS_MEMORY_COUNTERS)));
        if (!measured) {
            ++map.programsNotMeasured;
            return;
        }
        if (process.fileName == kCompressionProcess) {
            map.compressionStore = Given(counters.counters.WorkingSetSize);
            return;
        }
        const std::string path = paths ? ProcessPath(opened.get()) : std::string();
        programs.push_back({process.fileName, counters.counters.WorkingSetSize, counters.privateWorkingSetSize,
                            Listed(keep, process.fileName, path) || Listed(pause, process.fileName, path)});
    });
    if (read)
        map.programs = std::move(programs);
}

} // namespace

MemoryMap ReadMemoryMap()
{
    MemoryMap map;
    map.total = Given(ReadMemoryFigures().totalPhys);
    ULONGLONG installedKB = 0;
    if (GetPhysicallyInstalledSystemMemory(&installedKB))
        map.installed = Given(installedKB * 1024);
    PERFORMANCE_INFORMATION performance{};
    if (GetPerformanceInfo(&performance, sizeof performance)) {
        map.pagedPool = Given(uint64_t{performance.KernelPaged} * performance.PageSize);
        map.nonPagedPool = Given(uint64_t{performance.KernelNonpaged} * performance.PageSize);
    }
    map.systemCache = QueryFileCacheSize();
    map.lists = QueryMemoryListDetail();
    ReadPrograms(map);
    map.offered = MethodsOffered(RunningWindowsVersion());
    return map;
}
