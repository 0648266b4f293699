#pragma once
// The cleaning methods and the plan of system operations they make. "Fill and release" is the
// classic clean step; the others are single NtSetSystemInformation calls that NT 6 and later
// offer. The plan is data: which call, which command, which privileges, which words per outcome.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/program_list.h"
#include "common/windows_version.h"

// One bit per method; the stored CleanMethods value is this mask.
enum CleaningMethod : uint32_t {
    kFillAndRelease = 1u << 0,
    kEmptyWorkingSets = 1u << 1,
    kFlushModifiedList = 1u << 2,
    kPurgeStandbyList = 1u << 3,
    kPurgeLowPriorityStandby = 1u << 4, // only when the full purge is not chosen
    kShrinkFileCache = 1u << 5,
    kCombinePages = 1u << 6,
};
using MethodSet = uint32_t;
constexpr MethodSet kClassicMethodOnly = kFillAndRelease;
constexpr MethodSet kAllMethods = (1u << 7) - 1;

// 9x and NT 4/5: the classic step only; NT 6: the list and cache operations; 10: combining too.
MethodSet MethodsOffered(const WindowsVersion& version);

// The information classes and memory-list commands of NtSetSystemInformation.
constexpr uint32_t kSystemFileCacheInformation = 21; // queried only: the cache's working set
constexpr uint32_t kSystemMemoryListInformation = 80;
constexpr uint32_t kSystemFileCacheInformationEx = 81;
constexpr uint32_t kSystemCombinePhysicalMemoryInformation = 130;
enum MemoryListCommand : uint32_t {
    kMemoryEmptyWorkingSets = 2,
    kMemoryFlushModifiedList = 3,
    kMemoryPurgeStandbyList = 4,
    kMemoryPurgeLowPriorityStandbyList = 5,
};

// Privileges an operation enables on the process token while it runs.
enum Privilege : uint32_t {
    kProfileSingleProcessPrivilege = 1u << 0, // SeProfileSingleProcessPrivilege
    kIncreaseQuotaPrivilege = 1u << 1,        // SeIncreaseQuotaPrivilege
    kDebugPrivilege = 1u << 2,                // SeDebugPrivilege: opens services' processes too
};

// What the call carries: a memory-list command, a file-cache limit of "as small as possible",
// or a combine request. The working sets of each process but the listed ones are emptied one by
// one instead of by the system-wide command; its privilege helps, it is not required.
enum class OperationPayload { MemoryListCommand, FileCacheShrink, CombinePages, EachProcessWorkingSet };

struct PlannedOperation {
    CleaningMethod method;
    uint32_t infoClass;
    OperationPayload payload;
    uint32_t command; // the memory-list command; 0 for the other payloads
    uint32_t privileges;
    const char* nameKey; // the method's name in the report and the methods dialog
};

struct CleaningPlan {
    // Run once, in this order: working sets first so that their pages reach the lists the later
    // operations empty.
    std::vector<PlannedOperation> operations;
    bool classicStep = false; // the clean step(s) run as before, after the operations
    ProgramList keepWorkingSets; // left alone by the working-set operation
};

// The chosen methods that this Windows offers; nothing left (or nothing chosen) falls back to the
// classic step, so a run always does something. With programs to keep, the working sets are
// emptied process by process.
CleaningPlan PlanCleaning(MethodSet chosen, MethodSet offered, const ProgramList& keepWorkingSets = {});

// NTSTATUS values the words distinguish.
constexpr int32_t kStatusSuccess = 0;
constexpr int32_t kStatusNotImplemented = static_cast<int32_t>(0xC0000002u);
constexpr int32_t kStatusInvalidInfoClass = static_cast<int32_t>(0xC0000003u);
constexpr int32_t kStatusAccessDenied = static_cast<int32_t>(0xC0000022u);
constexpr int32_t kStatusPrivilegeNotHeld = static_cast<int32_t>(0xC0000061u);
constexpr int32_t kStatusNotSupported = static_cast<int32_t>(0xC00000BBu);
constexpr int32_t kStatusUnsuccessful = static_cast<int32_t>(0xC0000001u);

struct OperationResult {
    CleaningMethod method;
    int32_t status;
    bool Done() const { return status >= 0; }
};

// The text key of an outcome: done, privilege not held, not supported here, or failed.
const char* OutcomeTextKey(int32_t status);
// The text key of a method's name.
const char* MethodNameKey(CleaningMethod method);

// Sizes of the memory lists, where the system reports them.
struct MemoryListSizes {
    uint64_t standbyBytes = 0;
    uint64_t modifiedBytes = 0;
};

// The working sets emptied one by one: the processes listed, emptied, and those that could not be
// opened or refused.
struct WorkingSetCounts {
    uint32_t leftAlone = 0;
    uint32_t emptied = 0;
    uint32_t notEmptied = 0;
};

// What a run's steps did: the system operations' outcomes, the lists around them, and whether
// the classic step ran. A run of the classic step alone has no results and no list figures.
struct RunOutcome {
    std::vector<OperationResult> results;
    std::optional<WorkingSetCounts> workingSets; // when they were emptied one by one
    bool classicStep = true;
    bool listsSampled = false; // both samples below hold the system's figures
    MemoryListSizes listsBefore, listsAfter;

    bool AnyStepDone() const;
};

// The words of a text key, in the interface language.
using TextLookup = std::function<std::string(const char* key)>;

// "name: words" per operation (a failure adds its status in hex), the programs left alone when
// the working sets were emptied one by one, then the standby and modified list lines when the
// system reported the lists before and after.
std::vector<std::string> MethodReportLines(const RunOutcome& outcome, const TextLookup& text);

// "{0}", "{1}", ... replaced by the arguments; other text kept.
std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& arguments);

// The standby list counts as full at or above its share of installed memory; a zero share never.
bool StandbyListFull(uint64_t standbyBytes, uint64_t totalPhys, int32_t sharePercent);
