#pragma once
// Runs a cleaning plan's system operations and reads the memory lists. The two NT calls go
// through a replaceable pair so that tests can record what would reach the kernel.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "memory/cleaning_methods.h"
#include "memory/memory_map.h"
#include "win32/handles.h"

struct NtSystemCalls {
    std::function<int32_t(uint32_t infoClass, void* data, uint32_t length)> set;
    std::function<int32_t(uint32_t infoClass, void* data, uint32_t length)> query;
    // One process's working set, when programs are left alone: true when the system agreed.
    std::function<bool(HANDLE process)> emptyWorkingSet{};
};
// Empty calls restore the system's own.
void SetNtSystemCalls(NtSystemCalls calls);

// Enables privileges on the process token for its lifetime, then puts back what it changed.
class PrivilegeScope {
public:
    explicit PrivilegeScope(uint32_t privileges);
    ~PrivilegeScope();
    PrivilegeScope(const PrivilegeScope&) = delete;
    PrivilegeScope& operator=(const PrivilegeScope&) = delete;

    // False when the token lacks one of them (or could not be opened): the operation is refused.
    bool AllEnabled() const { return allEnabled_; }

private:
    win32::UniqueHandle token_;
    bool allEnabled_ = false;
    alignas(TOKEN_PRIVILEGES) unsigned char previous_[sizeof(TOKEN_PRIVILEGES) + 2 * sizeof(LUID_AND_ATTRIBUTES)]{};
};

// Each operation of the plan once, in order, with its privileges enabled only around its call;
// the counts of the working sets emptied one by one, when they were.
std::vector<OperationResult> RunOperations(const CleaningPlan& plan,
                                           std::optional<WorkingSetCounts>* workingSets = nullptr);

// The standby and modified lists; nothing where the system does not report them.
std::optional<MemoryListSizes> QueryMemoryLists();
// Every list the system reports, standby by priority.
std::optional<MemoryLists> QueryMemoryListDetail();
// The system file cache's working set; nothing where the system does not fill it in.
Bytes QueryFileCacheSize();

// A run's system part, on its worker thread: the lists sampled, then each operation once.
RunOutcome RunSystemOperations(const CleaningPlan& plan);
// After the classic steps: the lists sampled again; both samples or neither count.
void SampleListsAfter(RunOutcome& outcome);
