#include "memory/memory_lists_win.h"

#include <mutex>
#include <utility>

#include "memory/working_sets_win.h"
#include "win32/ntdll_entry.h"

namespace {

// The kernel's structures, sized for the build's bitness.
struct FileCacheInformation {
    SIZE_T currentSize;
    SIZE_T peakSize;
    ULONG pageFaultCount;
    SIZE_T minimumWorkingSet;
    SIZE_T maximumWorkingSet;
    SIZE_T currentSizeIncludingTransitionInPages;
    SIZE_T peakSizeIncludingTransitionInPages;
    ULONG transitionRePurposeCount;
    ULONG flags;
};

struct CombineInformation {
    HANDLE handle; // none: the whole system
    ULONG_PTR pagesCombined;
    ULONG flags;
};

struct MemoryListInformation {
    ULONG_PTR zeroPageCount;
    ULONG_PTR freePageCount;
    ULONG_PTR modifiedPageCount;
    ULONG_PTR modifiedNoWritePageCount;
    ULONG_PTR badPageCount;
    ULONG_PTR pageCountByPriority[8];
    ULONG_PTR repurposedPagesByPriority[8];
    ULONG_PTR modifiedPageCountPageFile;
};
// The kernel takes these records at the lengths of the running bitness; only the pointer size
// changes them, and ARM64 has x64's.
static_assert(sizeof(FileCacheInformation) == (sizeof(void*) == 8 ? 64 : 36));
static_assert(sizeof(CombineInformation) == 3 * sizeof(void*));
static_assert(sizeof(MemoryListInformation) == 22 * sizeof(void*));

using NtSetFn = LONG(WINAPI*)(ULONG, PVOID, ULONG);
using NtQueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

NtSystemCalls SystemCalls()
{
    NtSystemCalls calls;
    calls.set = [](uint32_t infoClass, void* data, uint32_t length) -> int32_t {
        static const NtSetFn set = win32::NtdllEntry<NtSetFn>("NtSetSystemInformation");
        return set ? set(infoClass, data, length) : kStatusNotImplemented;
    };
    calls.query = [](uint32_t infoClass, void* data, uint32_t length) -> int32_t {
        static const NtQueryFn query = win32::NtdllEntry<NtQueryFn>("NtQuerySystemInformation");
        ULONG returned = 0;
        return query ? query(infoClass, data, length, &returned) : kStatusNotImplemented;
    };
    calls.emptyWorkingSet = EmptyProcessWorkingSet;
    return calls;
}

std::mutex callsLock;
NtSystemCalls replacedCalls;

// The replaced calls, the system's own where a test replaced none.
NtSystemCalls CurrentCalls()
{
    NtSystemCalls calls;
    {
        std::lock_guard<std::mutex> lock(callsLock);
        calls = replacedCalls;
    }
    NtSystemCalls system = SystemCalls();
    for (auto [call, own] : {std::pair{&calls.set, &system.set}, std::pair{&calls.query, &system.query}})
        if (!*call)
            *call = *own;
    if (!calls.emptyWorkingSet)
        calls.emptyWorkingSet = system.emptyWorkingSet;
    return calls;
}

int32_t RunOne(const NtSystemCalls& calls, const PlannedOperation& operation, const ProgramList& keep,
               std::optional<WorkingSetCounts>& workingSets)
{
    PrivilegeScope privileges(operation.privileges);
    const bool eachProcess = operation.payload == OperationPayload::EachProcessWorkingSet;
    if (!privileges.AllEnabled() && !eachProcess)
        return kStatusPrivilegeNotHeld;
    switch (operation.payload) {
    case OperationPayload::MemoryListCommand: {
        ULONG command = operation.command;
        return calls.set(operation.infoClass, &command, sizeof command);
    }
    case OperationPayload::FileCacheShrink: {
        // Both limits at their largest value ask the system to empty the cache's working set.
        FileCacheInformation cache{};
        cache.minimumWorkingSet = static_cast<SIZE_T>(-1);
        cache.maximumWorkingSet = static_cast<SIZE_T>(-1);
        return calls.set(operation.infoClass, &cache, sizeof cache);
    }
    case OperationPayload::CombinePages: {
        CombineInformation combine{};
        return calls.set(operation.infoClass, &combine, sizeof combine);
    }
    case OperationPayload::EachProcessWorkingSet: {
        WorkingSetCounts counts;
        const bool listed = EmptyWorkingSetsExcept(keep, calls.emptyWorkingSet, counts);
        workingSets = counts;
        return listed ? kStatusSuccess : kStatusUnsuccessful;
    }
    }
    return kStatusNotImplemented;
}

} // namespace

void SetNtSystemCalls(NtSystemCalls calls)
{
    std::lock_guard<std::mutex> lock(callsLock);
    replacedCalls = std::move(calls);
}

PrivilegeScope::PrivilegeScope(uint32_t privileges)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    token_.reset(token);
    alignas(TOKEN_PRIVILEGES) unsigned char wanted[sizeof previous_]{};
    auto* request = reinterpret_cast<TOKEN_PRIVILEGES*>(wanted);
    const std::pair<Privilege, const char*> names[] = {
        {kProfileSingleProcessPrivilege, "SeProfileSingleProcessPrivilege"},
        {kIncreaseQuotaPrivilege, "SeIncreaseQuotaPrivilege"},
        {kDebugPrivilege, "SeDebugPrivilege"},
    };
    for (const auto& [bit, name] : names) {
        if (!(privileges & bit))
            continue;
        LUID_AND_ATTRIBUTES& entry = request->Privileges[request->PrivilegeCount];
        if (!LookupPrivilegeValueA(nullptr, name, &entry.Luid))
            return;
        entry.Attributes = SE_PRIVILEGE_ENABLED;
        ++request->PrivilegeCount;
    }
    DWORD length = 0;
    const BOOL adjusted = AdjustTokenPrivileges(token_.get(), FALSE, request, sizeof previous_,
                                                reinterpret_cast<TOKEN_PRIVILEGES*>(previous_), &length);
    allEnabled_ = adjusted && GetLastError() == ERROR_SUCCESS; // not ERROR_NOT_ALL_ASSIGNED
}

PrivilegeScope::~PrivilegeScope()
{
    if (!token_)
        return;
    // The previous state lists only what the adjustment changed.
    auto* previous = reinterpret_cast<TOKEN_PRIVILEGES*>(previous_);
    if (previous->PrivilegeCount)
        AdjustTokenPrivileges(token_.get(), FALSE, previous, 0, nullptr, nullptr);
}

std::vector<OperationResult> RunOperations(const CleaningPlan& plan, std::optional<WorkingSetCounts>* workingSets)
{
    const NtSystemCalls calls = CurrentCalls();
    std::optional<WorkingSetCounts> counts;
    std::vector<OperationResult> results;
    for (const PlannedOperation& operation : plan.operations)
        results.push_back({operation.method, RunOne(calls, operation, plan.keepWorkingSets, counts)});
    if (workingSets)
        *workingSets = counts;
    return results;
}

std::optional<MemoryLists> QueryMemoryListDetail()
{
    const NtSystemCalls calls = CurrentCalls();
    MemoryListInformation lists{};
    {
        PrivilegeScope privileges(kProfileSingleProcessPrivilege);
        if (calls.query(kSystemMemoryListInformation, &lists, sizeof lists) < 0)
            return std::nullopt;
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const auto bytes = [&](ULONG_PTR pages) { return uint64_t{pages} * system.dwPageSize; };
    MemoryLists detail;
    for (size_t i = 0; i < kStandbyPriorities; ++i)
        detail.standbyByPriority[i] = bytes(lists.pageCountByPriority[i]);
    detail.modified = bytes(lists.modifiedPageCount);
    detail.free = bytes(lists.freePageCount);
    detail.zeroed = bytes(lists.zeroPageCount);
    return detail;
}

std::optional<MemoryListSizes> QueryMemoryLists()
{
    const std::optional<MemoryLists> detail = QueryMemoryListDetail();
    if (!detail)
        return std::nullopt;
    return MemoryListSizes{detail->Standby(), detail->modified};
}

Bytes QueryFileCacheSize()
{
    FileCacheInformation cache{};
    // Success with nothing filled in (Wine) tells nothing: the cache is never empty on Windows.
    if (CurrentCalls().query(kSystemFileCacheInformation, &cache, sizeof cache) < 0 || cache.currentSize == 0)
        return std::nullopt;
    return uint64_t{cache.currentSize};
}

RunOutcome RunSystemOperations(const CleaningPlan& plan)
{
    RunOutcome outcome;
    outcome.classicStep = plan.classicStep;
    if (plan.operations.empty())
        return outcome; // the classic run reports as it always has
    const std::optional<MemoryListSizes> before = QueryMemoryLists();
    outcome.listsSampled = before.has_value();
    if (before)
        outcome.listsBefore = *before;
    outcome.results = RunOperations(plan, &outcome.workingSets);
    return outcome;
}

void SampleListsAfter(RunOutcome& outcome)
{
    if (!outcome.listsSampled)
        return;
    const std::optional<MemoryListSizes> after = QueryMemoryLists();
    outcome.listsSampled = after.has_value();
    if (after)
        outcome.listsAfter = *after;
}
