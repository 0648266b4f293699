// The system operations of the cleaning methods: what reaches NtSetSystemInformation, the
// privileges on the real process token around each call, and the working sets emptied one by one.
#include "memory/memory_lists_win.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "common/running_programs_win.h"
#include "memory/working_sets_win.h"
#include "support/child_process_win.h"

namespace {

// The two privileges the operations use, as they are on the process token now; switched off first
// when asked.
uint32_t EnabledPrivileges(bool switchOff = false)
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES, &token);
    win32::UniqueHandle owner(token);
    alignas(TOKEN_PRIVILEGES) unsigned char buffer[4096];
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
    DWORD length = 0;
    uint32_t enabled = 0;
    for (const auto& [bit, name] : {std::pair{kProfileSingleProcessPrivilege, "SeProfileSingleProcessPrivilege"},
                                    std::pair{kIncreaseQuotaPrivilege, "SeIncreaseQuotaPrivilege"}}) {
        TOKEN_PRIVILEGES off{1, {}};
        LookupPrivilegeValueA(nullptr, name, &off.Privileges[0].Luid);
        if (switchOff)
            AdjustTokenPrivileges(token, FALSE, &off, 0, nullptr, nullptr);
        if (!GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &length))
            continue;
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i)
            if (std::memcmp(&privileges->Privileges[i].Luid, &off.Privileges[0].Luid, sizeof(LUID)) == 0 &&
                (privileges->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED))
                enabled |= bit;
    }
    return enabled;
}

TEST(MemoryLists, EachOperationOnceWithItsArgumentsAndOnlyItsPrivilegesWhileItRuns)
{
    ASSERT_EQ(EnabledPrivileges(true), 0u);
    struct Call {
        uint32_t infoClass;
        std::vector<unsigned char> data;
        uint32_t privileges; // enabled on the token during the call
    };
    std::vector<Call> calls;
    // A refusal in the middle: the run goes on and each operation keeps its own status.
    const int32_t answers[] = {0, kStatusPrivilegeNotHeld, 0, kStatusInvalidInfoClass, 0};
    int32_t queryStatus = kStatusSuccess;
    uint32_t queriedWith = 0;
    NtSystemCalls recording;
    recording.set = [&](uint32_t infoClass, void* data, uint32_t length) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        calls.push_back({infoClass, {bytes, bytes + length}, EnabledPrivileges()});
        return answers[(calls.size() - 1) % 5];
    };
    recording.query = [&](uint32_t infoClass, void* data, uint32_t length) {
        queriedWith = EnabledPrivileges();
        EXPECT_EQ(infoClass, 80u);
        EXPECT_EQ(length, 22 * sizeof(ULONG_PTR));
        auto* counts = static_cast<ULONG_PTR*>(data);
        counts[2] = 300; // modified
        for (int priority = 0; priority < 8; ++priority)
            counts[5 + priority] = 1000; // standby, by priority
        counts[13] = 77;                 // repurposed: not the standby list
        return queryStatus;
    };
    SetNtSystemCalls(recording);
    const CleaningPlan plan = PlanCleaning(kAllMethods, MethodsOffered({true, 10, 0}));
    RunOutcome outcome = RunSystemOperations(plan);
    queryStatus = kStatusPrivilegeNotHeld;
    SampleListsAfter(outcome);
    SetNtSystemCalls({});

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(queriedWith, kProfileSingleProcessPrivilege);
    EXPECT_EQ(outcome.listsBefore.standbyBytes, 8000ull * system.dwPageSize);
    EXPECT_EQ(outcome.listsBefore.modifiedBytes, 300ull * system.dwPageSize);
    EXPECT_FALSE(outcome.listsSampled) << "both samples or neither";

    // The kernel's layouts for this bitness.
    const std::pair<uint32_t, size_t> expected[] = {
        {80, sizeof(ULONG)}, {81, 8 * sizeof(SIZE_T)}, {80, sizeof(ULONG)}, {80, sizeof(ULONG)}, {130, 3 * sizeof(SIZE_T)}};
    ASSERT_EQ(calls.size(), 5u);
    ASSERT_EQ(outcome.results.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(calls[i].infoClass, expected[i].first) << i;
        ASSERT_EQ(calls[i].data.size(), expected[i].second) << i;
        EXPECT_EQ(calls[i].privileges, plan.operations[i].privileges) << i;
        EXPECT_EQ(outcome.results[i].status, answers[i]);
    }
    EXPECT_EQ((std::vector<int>{calls[0].data[0], calls[2].data[0], calls[3].data[0]}), (std::vector<int>{2, 3, 4}));
    std::vector<SIZE_T> cache(8); // the working-set limits at their largest, everything else zero
    cache[3] = cache[4] = static_cast<SIZE_T>(-1);
    EXPECT_EQ(std::memcmp(calls[1].data.data(), cache.data(), calls[1].data.size()), 0);
    EXPECT_EQ(std::vector<unsigned char>(calls[4].data.size()), calls[4].data) << "the whole system, no flags";
}

// Wine answers success for these classes and changes nothing; a missing entry point or a buffer
// size the system rejects would come back as a failure here.
TEST(MemoryLists, OnWineTheSystemCallsAreFoundAndTakeTheBuffers)
{
    for (const OperationResult& result : RunOperations(PlanCleaning(kAllMethods, kAllMethods)))
        EXPECT_TRUE(result.Done()) << MethodNameKey(result.method) << " " << std::hex << result.status;
}

// "Empty the working sets" with a program left alone, on two real children that have touched
// 64 MB each. Wine agrees to every trim and changes no working set, so what proves the choice is
// which processes were asked, recorded through the system-call seam; the working sets are read
// before and after all the same (on Windows the other child's drops).
SIZE_T WorkingSetMB(DWORD id)
{
    win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, id));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return process && GetProcessMemoryInfo(process.get(), &counters, sizeof counters) ? counters.WorkingSetSize >> 20 : 0;
}

TEST(WorkingSets, EmptiedOneByOneAllButTheListedProgramWhichIsAlsoFoundRunning)
{
    testing_support::ChildFolder folder("working-sets");
    testing_support::SleepingChild kept(folder.path(), "Keep_Me.exe", 64), other(folder.path(), "empty_me.exe", 64);
    for (const DWORD start = GetTickCount(); WorkingSetMB(kept.Id()) < 64 || WorkingSetMB(other.Id()) < 64; Sleep(50))
        ASSERT_LT(GetTickCount() - start, 20000u) << "the children touch their memory";

    std::vector<DWORD> asked;
    NtSystemCalls recording;
    recording.emptyWorkingSet = [&](HANDLE process) {
        asked.push_back(GetProcessId(process));
        return EmptyProcessWorkingSet(process);
    };
    SetNtSystemCalls(recording);
    const RunOutcome outcome = RunSystemOperations(PlanCleaning(kEmptyWorkingSets, kAllMethods, {"keep_me.EXE"}));
    SetNtSystemCalls({});
    ASSERT_TRUE(outcome.results.size() == 1 && outcome.results[0].Done() && outcome.workingSets);
    EXPECT_EQ(outcome.workingSets->leftAlone, 1u);
    EXPECT_EQ(outcome.workingSets->emptied, asked.size());
    EXPECT_NE(std::ranges::find(asked, other.Id()), asked.end()) << "the other child was asked";
    EXPECT_EQ(std::ranges::find(asked, kept.Id()), asked.end()) << "the listed child was not";
    EXPECT_GE(WorkingSetMB(kept.Id()), 64u);

    // The pause list finds a running program by its whole path too, and not one in another folder.
    EXPECT_EQ(RunningListedProgram({"C:\\elsewhere\\empty_me.exe", other.Path()}), other.Path());
    EXPECT_EQ(RunningListedProgram({"C:\\elsewhere\\empty_me.exe"}), "");
}

} // namespace
