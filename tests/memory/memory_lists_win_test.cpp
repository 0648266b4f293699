// The system operations of the cleaning methods: what reaches NtSetSystemInformation, and the
// privileges on the real process token around each call.
#include "memory/memory_lists_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The attributes of one privilege on the process token; 0 when absent or disabled.
bool PrivilegeEnabled(const char* name)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID luid{};
    LookupPrivilegeValueA(nullptr, name, &luid);
    DWORD length = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &length);
    std::vector<unsigned char> buffer(length);
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), length, &length)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

constexpr const char* kProfile = "SeProfileSingleProcessPrivilege";
constexpr const char* kQuota = "SeIncreaseQuotaPrivilege";

void Disable(const char* name)
{
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES off{};
    off.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, name, &off.Privileges[0].Luid);
    AdjustTokenPrivileges(token, FALSE, &off, 0, nullptr, nullptr);
    CloseHandle(token);
    ASSERT_FALSE(PrivilegeEnabled(name));
}

struct Call {
    uint32_t infoClass;
    std::vector<unsigned char> data;
    bool profile, quota; // enabled on the token during the call
};

class MemoryLists : public testing::Test {
protected:
    void SetUp() override
    {
        Disable(kProfile);
        Disable(kQuota);
        NtSystemCalls calls;
        calls.set = [this](uint32_t infoClass, void* data, uint32_t length) {
            const auto* bytes = static_cast<const unsigned char*>(data);
            calls_.push_back({infoClass, {bytes, bytes + length}, PrivilegeEnabled(kProfile), PrivilegeEnabled(kQuota)});
            return answers_.empty() ? kStatusSuccess : answers_[calls_.size() - 1];
        };
        calls.query = [this](uint32_t infoClass, void* data, uint32_t length) {
            queried_ = PrivilegeEnabled(kProfile);
            if (infoClass != kSystemMemoryListInformation || queryStatus_ < 0)
                return queryStatus_ < 0 ? queryStatus_ : kStatusInvalidInfoClass;
            auto* counts = static_cast<ULONG_PTR*>(data);
            EXPECT_EQ(length, 22 * sizeof(ULONG_PTR));
            counts[2] = 300;                   // modified
            for (int priority = 0; priority < 8; ++priority)
                counts[5 + priority] = 1000;   // standby, by priority
            counts[13] = 77;                   // repurposed: not the standby list
            return kStatusSuccess;
        };
        SetNtSystemCalls(calls);
    }
    void TearDown() override { SetNtSystemCalls({}); }

    std::vector<Call> calls_;
    std::vector<int32_t> answers_;
    int32_t queryStatus_ = kStatusSuccess;
    bool queried_ = false;
};

SIZE_T FieldAt(const std::vector<unsigned char>& data, size_t offset)
{
    SIZE_T value = 0;
    std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

TEST_F(MemoryLists, EachOperationOnceWithItsArgumentsAndOnlyItsPrivilegesWhileItRuns)
{
    // A refusal in the middle: the run goes on and each operation keeps its own status.
    answers_ = {kStatusSuccess, kStatusPrivilegeNotHeld, kStatusSuccess, kStatusInvalidInfoClass, kStatusSuccess};
    const CleaningPlan plan = PlanCleaning(kAllMethods, MethodsOffered({true, 10, 0}));
    const std::vector<OperationResult> results = RunOperations(plan.operations);
    ASSERT_EQ(calls_.size(), 5u);
    ASSERT_EQ(results.size(), 5u);

    for (size_t i : {0u, 2u, 3u}) { // the memory-list commands: one ULONG
        EXPECT_EQ(calls_[i].infoClass, 80u);
        ASSERT_EQ(calls_[i].data.size(), sizeof(ULONG));
        EXPECT_TRUE(calls_[i].profile && !calls_[i].quota) << i;
    }
    EXPECT_EQ(calls_[0].data[0], 2) << "empty working sets";
    EXPECT_EQ(calls_[2].data[0], 3) << "flush the modified list";
    EXPECT_EQ(calls_[3].data[0], 4) << "purge the standby list";

    const Call& cache = calls_[1];
    EXPECT_EQ(cache.infoClass, 81u);
    ASSERT_EQ(cache.data.size(), 8 * sizeof(SIZE_T)) << "the kernel's layout for this bitness";
    EXPECT_EQ(FieldAt(cache.data, 3 * sizeof(SIZE_T)), static_cast<SIZE_T>(-1)) << "minimum";
    EXPECT_EQ(FieldAt(cache.data, 4 * sizeof(SIZE_T)), static_cast<SIZE_T>(-1)) << "maximum";
    EXPECT_EQ(FieldAt(cache.data, 0), 0u);
    EXPECT_TRUE(cache.quota && !cache.profile);

    const Call& combine = calls_[4];
    EXPECT_EQ(combine.infoClass, 130u);
    ASSERT_EQ(combine.data.size(), 3 * sizeof(SIZE_T));
    EXPECT_EQ(std::vector<unsigned char>(combine.data.size()), combine.data) << "the whole system, no flags";
    EXPECT_TRUE(combine.profile);

    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].method, plan.operations[i].method);
        EXPECT_EQ(results[i].status, answers_[i]);
    }
    EXPECT_FALSE(PrivilegeEnabled(kProfile) || PrivilegeEnabled(kQuota)) << "put back after the run";
}

TEST_F(MemoryLists, ListSizesInBytesWhereTheSystemReportsThem)
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::optional<MemoryListSizes> sizes = QueryMemoryLists();
    ASSERT_TRUE(sizes);
    EXPECT_TRUE(queried_) << "the query runs with the profiling privilege";
    EXPECT_FALSE(PrivilegeEnabled(kProfile));
    EXPECT_EQ(sizes->standbyBytes, 8000ull * system.dwPageSize);
    EXPECT_EQ(sizes->modifiedBytes, 300ull * system.dwPageSize);

    queryStatus_ = kStatusPrivilegeNotHeld;
    EXPECT_FALSE(QueryMemoryLists());
}

TEST(MemoryListsOnWine, PrivilegesEnableForRealAndTheSystemCallsAreFound)
{
    Disable(kProfile);
    Disable(kQuota);
    {
        PrivilegeScope both(kProfileSingleProcessPrivilege | kIncreaseQuotaPrivilege);
        EXPECT_TRUE(both.AllEnabled());
        EXPECT_TRUE(PrivilegeEnabled(kProfile) && PrivilegeEnabled(kQuota));
    }
    EXPECT_FALSE(PrivilegeEnabled(kProfile) || PrivilegeEnabled(kQuota));

    // Wine answers success for these classes and changes nothing; a missing entry point or a
    // rejected buffer size would come back as a failure here.
    const WindowsVersion version = RunningWindowsVersion();
    EXPECT_TRUE(version.nt);
    EXPECT_GE(version.major, 6u);
    for (const OperationResult& result : RunOperations(PlanCleaning(kAllMethods, kAllMethods).operations))
        EXPECT_TRUE(result.Done()) << MethodNameKey(result.method) << " " << std::hex << result.status;
}

} // namespace
