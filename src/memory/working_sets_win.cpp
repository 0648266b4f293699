#include "memory/working_sets_win.h"

#include "common/running_programs_win.h"
#include "win32/handles.h"

bool EmptyProcessWorkingSet(HANDLE process)
{
    return SetProcessWorkingSetSize(process, static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)) != FALSE;
}

bool EmptyWorkingSetsExcept(const ProgramList& keep, const std::function<bool(HANDLE process)>& empty,
                            WorkingSetCounts& counts)
{
    const bool paths = ListNamesPaths(keep);
    return ForEachRunningProcess([&](const RunningProcess& process) {
        if (!ListedEntryFor(keep, process.fileName).empty()) {
            ++counts.leftAlone;
            return;
        }
        win32::UniqueHandle opened(OpenProcess(PROCESS_SET_QUOTA | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
        if (!opened) {
            ++counts.notEmptied;
            return;
        }
        if (paths && !ListedEntryFor(keep, ProcessPath(opened.get())).empty())
            ++counts.leftAlone;
        else if (empty(opened.get()))
            ++counts.emptied;
        else
            ++counts.notEmptied;
    });
}
