#pragma once
// A snapshot of the running processes: id and main-module path, in the order the system gives
// them. Filled only by Refresh.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CProcessList {
public:
    // Empties the list, then fills it through Tool Help (the Windows 95/98/Me family) or
    // through PSAPI.DLL (the NT family). False when the enumeration could not start; the list
    // may then be empty or partial.
    bool Refresh(bool useToolHelp);

    int Count() const { return static_cast<int>(ids_.size()); }
    std::uint32_t ProcessId(int i) const { return ids_[static_cast<size_t>(i)]; }
    const std::string& ModulePath(int i) const { return paths_[static_cast<size_t>(i)]; }

    // Ends the process and waits up to kKillWaitMs for it to go. True only when it has ended.
    static bool KillProcess(std::uint32_t id);
    // The working set in megabytes; 0.0 and false when the process cannot be opened with full
    // access or its counters cannot be read.
    static bool GetProcessWorkingSetMB(std::uint32_t id, double& megabytes);

    static constexpr DWORD kKillWaitMs = 5000;

private:
    bool RefreshByToolHelp();
    bool RefreshByPsapi();
    void Append(std::uint32_t id, std::string path);

    // Index-aligned: entry i of one belongs to entry i of the other.
    std::vector<std::uint32_t> ids_;
    std::vector<std::string> paths_;
};
