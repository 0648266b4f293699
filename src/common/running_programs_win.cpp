#include "common/running_programs_win.h"

#include <tlhelp32.h>

#include <algorithm>

#include "win32/handles.h"

bool ForEachRunningProcess(const std::function<void(const RunningProcess& process)>& visit)
{
    win32::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (entry.th32ProcessID != 0)
            visit({entry.th32ProcessID, FileNamePart(entry.szExeFile)});
    return true;
}

std::string ProcessPath(HANDLE process)
{
    // Bound by name: the NT 5 family has no such entry point.
    using QueryFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH * 4];
    DWORD length = sizeof path;
    return query && query(process, 0, path, &length) ? std::string(path, length) : std::string();
}

bool ListNamesPaths(const ProgramList& list)
{
    return std::ranges::any_of(list, [](const std::string& entry) { return FileNamePart(entry) != entry; });
}

std::string RunningListedProgram(const ProgramList& list)
{
    if (list.empty())
        return {};
    const bool paths = ListNamesPaths(list);
    std::string found;
    ForEachRunningProcess([&](const RunningProcess& process) {
        if (!found.empty())
            return;
        found = ListedEntryFor(list, process.fileName);
        if (!found.empty() || !paths)
            return;
        win32::UniqueHandle opened(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
        if (opened)
            found = ListedEntryFor(list, ProcessPath(opened.get()));
    });
    return found;
}
