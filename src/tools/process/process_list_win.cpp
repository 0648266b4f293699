#include "tools/process/process_list_win.h"

#include <tlhelp32.h>
#include <psapi.h>

#include "win32/handles.h"

namespace {

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExAFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using GetProcessMemoryInfoFn = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);

// PSAPI is not on every system, so it is bound by name.
template <typename Fn>
Fn Resolve(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Full access as every version accepts it (the Vista value is refused by older systems).
constexpr DWORD kProcessAllAccess = 0x1F0FFF;
constexpr DWORD kMaxProcesses = 1024;
constexpr DWORD kMaxModules = 1024;

// The main module of a process in a Tool Help module snapshot. The Windows 95 family marks it
// by the process entry's module id; the NT family leaves that id 0 and lists the main module
// first.
bool FindMainModule(DWORD processId, DWORD moduleId, std::string& path)
{
    win32::UniqueFileHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!modules)
        return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(modules.get(), &entry); more; more = Module32Next(modules.get(), &entry)) {
        if (moduleId == 0 || entry.th32ModuleID == moduleId) {
            path = entry.szExePath;
            return true;
        }
    }
    return false;
}

} // namespace

bool CProcessList::Refresh(bool useToolHelp)
{
    ids_.clear();
    paths_.clear();
    return useToolHelp ? RefreshByToolHelp() : RefreshByPsapi();
}

void CProcessList::Append(std::uint32_t id, std::string path)
{
    ids_.push_back(id);
    paths_.push_back(std::move(path));
}

bool CProcessList::RefreshByToolHelp()
{
    win32::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    if (!Process32First(snapshot.get(), &entry))
        return false;
    do {
        std::string path;
        if (FindMainModule(entry.th32ProcessID, entry.th32ModuleID, path))
            Append(entry.th32ProcessID, std::move(path));
    } while (Process32Next(snapshot.get(), &entry));
    return true;
}

bool CProcessList::RefreshByPsapi()
{
    win32::UniqueModule psapi(LoadLibraryA("PSAPI.DLL"));
    if (!psapi)
        return false;
    const auto enumProcesses = Resolve<EnumProcessesFn>(psapi.get(), "EnumProcesses");
    const auto enumModules = Resolve<EnumProcessModulesFn>(psapi.get(), "EnumProcessModules");
    const auto moduleFileName = Resolve<GetModuleFileNameExAFn>(psapi.get(), "GetModuleFileNameExA");
    if (!enumProcesses || !enumModules || !moduleFileName)
        return false;

    std::vector<DWORD> ids(kMaxProcesses);
    DWORD bytes = 0;
    if (!enumProcesses(ids.data(), kMaxProcesses * sizeof(DWORD), &bytes))
        return false;
    ids.resize(bytes / sizeof(DWORD));

    std::vector<HMODULE> modules(kMaxModules);
    for (DWORD id : ids) {
        win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
        if (!process)
            continue;
        DWORD needed = 0;
        if (!enumModules(process.get(), modules.data(), kMaxModules * sizeof(HMODULE), &needed) ||
            needed < sizeof(HMODULE))
            continue;
        char name[MAX_PATH] = {};
        const DWORD length = moduleFileName(process.get(), modules[0], name, MAX_PATH);
        if (length > 0)
            Append(id, std::string(name, length < MAX_PATH ? length : MAX_PATH - 1));
    }
    return true;
}

bool CProcessList::KillProcess(std::uint32_t id)
{
    win32::UniqueHandle process(OpenProcess(kProcessAllAccess, FALSE, id));
    // A process that has already ended (its object kept alive by some handle) is not ended again.
    if (!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 || !TerminateProcess(process.get(), 0))
        return false;
    // A process stuck in its termination must not hang the dialog: the caller refreshes anyway.
    return WaitForSingleObject(process.get(), kKillWaitMs) == WAIT_OBJECT_0;
}

bool CProcessList::GetProcessWorkingSetMB(std::uint32_t id, double& megabytes)
{
    megabytes = 0.0;
    win32::UniqueHandle process(OpenProcess(kProcessAllAccess, FALSE, id));
    // An ended process whose object lingers has no working set worth showing.
    if (!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0)
        return false;
    win32::UniqueModule psapi(LoadLibraryA("PSAPI.DLL"));
    if (!psapi)
        return false;
    const auto memoryInfo = Resolve<GetProcessMemoryInfoFn>(psapi.get(), "GetProcessMemoryInfo");
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!memoryInfo || !memoryInfo(process.get(), &counters, sizeof counters))
        return false;
    megabytes = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    return true;
}
