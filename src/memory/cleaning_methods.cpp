#include "memory/cleaning_methods.h"

#include <cstdio>

#include "common/setting_table.h"
#include "common/spoken_text.h"

// The settings' table bounds the stored mask by these.
static_assert(kAllMethods == kEveryCleaningMethod && kClassicMethodOnly == kClassicCleaningMethod);

namespace {

// In the order they run.
constexpr PlannedOperation kOperations[] = {
    {kEmptyWorkingSets, kSystemMemoryListInformation, OperationPayload::MemoryListCommand,
     kMemoryEmptyWorkingSets, kProfileSingleProcessPrivilege, "MethodEmptyWorkingSets"},
    {kShrinkFileCache, kSystemFileCacheInformationEx, OperationPayload::FileCacheShrink, 0,
     kIncreaseQuotaPrivilege, "MethodShrinkFileCache"},
    {kFlushModifiedList, kSystemMemoryListInformation, OperationPayload::MemoryListCommand,
     kMemoryFlushModifiedList, kProfileSingleProcessPrivilege, "MethodFlushModifiedList"},
    {kPurgeStandbyList, kSystemMemoryListInformation, OperationPayload::MemoryListCommand,
     kMemoryPurgeStandbyList, kProfileSingleProcessPrivilege, "MethodPurgeStandbyList"},
    {kPurgeLowPriorityStandby, kSystemMemoryListInformation, OperationPayload::MemoryListCommand,
     kMemoryPurgeLowPriorityStandbyList, kProfileSingleProcessPrivilege, "MethodPurgeLowPriorityStandby"},
    {kCombinePages, kSystemCombinePhysicalMemoryInformation, OperationPayload::CombinePages, 0,
     kProfileSingleProcessPrivilege, "MethodCombinePages"},
};

std::string Megabytes(uint64_t bytes) { return std::to_string(bytes / (1024 * 1024)); }

} // namespace

MethodSet MethodsOffered(const WindowsVersion& version)
{
    if (!version.nt || version.major < 6)
        return kClassicMethodOnly;
    MethodSet offered = kFillAndRelease | kEmptyWorkingSets | kFlushModifiedList | kPurgeStandbyList |
                        kPurgeLowPriorityStandby | kShrinkFileCache;
    if (version.major >= 10)
        offered |= kCombinePages;
    return offered;
}

CleaningPlan PlanCleaning(MethodSet chosen, MethodSet offered, const ProgramList& keepWorkingSets)
{
    MethodSet usable = chosen & offered;
    if (usable & kPurgeStandbyList)
        usable &= ~MethodSet{kPurgeLowPriorityStandby}; // the full purge takes the low-priority part too
    CleaningPlan plan;
    for (const PlannedOperation& operation : kOperations)
        if (usable & operation.method)
            plan.operations.push_back(operation);
    if ((usable & kEmptyWorkingSets) && !keepWorkingSets.empty()) {
        // The working sets come first in the table.
        plan.operations.front() = {kEmptyWorkingSets, 0, OperationPayload::EachProcessWorkingSet, 0, kDebugPrivilege,
                                   "MethodEmptyWorkingSets"};
        plan.keepWorkingSets = keepWorkingSets;
    }
    plan.classicStep = (usable & kFillAndRelease) || plan.operations.empty();
    return plan;
}

const char* OutcomeTextKey(int32_t status)
{
    if (status >= 0)
        return "MethodDone";
    switch (status) {
    case kStatusPrivilegeNotHeld:
    case kStatusAccessDenied: return "MethodNoPrivilege";
    case kStatusNotImplemented:
    case kStatusInvalidInfoClass:
    case kStatusNotSupported: return "MethodNotSupported";
    default: return "MethodFailed";
    }
}

const char* MethodNameKey(CleaningMethod method)
{
    if (method == kFillAndRelease)
        return "MethodFillAndRelease";
    for (const PlannedOperation& operation : kOperations)
        if (operation.method == method)
            return operation.nameKey;
    return "MethodFillAndRelease";
}

std::vector<std::string> MethodReportLines(const RunOutcome& outcome, const TextLookup& text)
{
    std::vector<std::string> lines;
    for (const OperationResult& result : outcome.results) {
        const char* word = OutcomeTextKey(result.status);
        // The methods dialog's boxes share these names, with their keyboard marks.
        std::string line = WithoutMnemonic(text(MethodNameKey(result.method))) + ": " + text(word);
        if (std::string(word) == "MethodFailed") {
            char code[16];
            std::snprintf(code, sizeof code, " (0x%08X)", static_cast<unsigned>(result.status));
            line += code;
        }
        lines.push_back(line);
        if (result.method == kEmptyWorkingSets && outcome.workingSets) {
            const WorkingSetCounts& counts = *outcome.workingSets;
            lines.push_back(FillPlaceholders(text("ReportWorkingSetsEach"),
                                             {std::to_string(counts.leftAlone), std::to_string(counts.emptied),
                                              std::to_string(counts.notEmptied)}));
        }
    }
    if (outcome.listsSampled) {
        const std::string pattern = text("ReportListBeforeAfter");
        const MemoryListSizes &before = outcome.listsBefore, &after = outcome.listsAfter;
        lines.push_back(FillPlaceholders(pattern, {text("ReportStandbyList"), Megabytes(before.standbyBytes),
                                                   Megabytes(after.standbyBytes)}));
        lines.push_back(FillPlaceholders(pattern, {text("ReportModifiedList"), Megabytes(before.modifiedBytes),
                                                   Megabytes(after.modifiedBytes)}));
    }
    return lines;
}

bool RunOutcome::AnyStepDone() const
{
    if (classicStep)
        return true;
    for (const OperationResult& result : results)
        if (result.Done())
            return true;
    return false;
}

std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& arguments)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '0' &&
            pattern[i + 1] <= '9') {
            const size_t index = static_cast<size_t>(pattern[i + 1] - '0');
            if (index < arguments.size()) {
                out += arguments[index];
                i += 2;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

bool StandbyListFull(uint64_t standbyBytes, uint64_t totalPhys, int32_t sharePercent)
{
    if (sharePercent <= 0 || totalPhys == 0)
        return false;
    // The threshold is total x share / 100 rounded up, split so that no product can overflow.
    const uint64_t share = static_cast<uint64_t>(sharePercent);
    const uint64_t whole = totalPhys / 100, rest = totalPhys % 100;
    const uint64_t threshold = whole * share + (rest * share + 99) / 100;
    return standbyBytes >= threshold;
}
