// The plan of system operations a choice of cleaning methods makes, and the words it reports.
#include "memory/cleaning_methods.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ini_file.h"
#include "support/test_paths.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

std::vector<uint32_t> Commands(const CleaningPlan& plan)
{
    std::vector<uint32_t> sequence;
    for (const PlannedOperation& operation : plan.operations)
        sequence.push_back(operation.infoClass * 100 + operation.command);
    return sequence;
}

TEST(CleaningPlan, OfferedMethodsOperationsAndFallback)
{
    const MethodSet nt4 = MethodsOffered({true, 4, 0}), xp = MethodsOffered({true, 5, 1});
    const MethodSet me = MethodsOffered({false, 4, 90}), seven = MethodsOffered({true, 6, 1});
    const MethodSet ten = MethodsOffered({true, 10, 0});
    EXPECT_EQ(nt4, kClassicMethodOnly);
    EXPECT_EQ(xp, kClassicMethodOnly);
    EXPECT_EQ(me, kClassicMethodOnly);
    EXPECT_EQ(seven, kAllMethods & ~MethodSet{kCombinePages});
    EXPECT_EQ(ten, kAllMethods);

    // Everything chosen on Windows 10: each list operation once, working sets first, the full
    // standby purge instead of its low-priority part, then the classic step.
    const CleaningPlan all = PlanCleaning(kAllMethods, ten);
    EXPECT_EQ(Commands(all), (std::vector<uint32_t>{8002, 8100, 8003, 8004, 13000}));
    EXPECT_TRUE(all.classicStep);
    for (const PlannedOperation& operation : all.operations) {
        const uint32_t wanted = operation.method == kShrinkFileCache ? kIncreaseQuotaPrivilege
                                                                     : kProfileSingleProcessPrivilege;
        EXPECT_EQ(operation.privileges, wanted) << operation.nameKey;
    }
    EXPECT_EQ(all.operations[1].payload, OperationPayload::FileCacheShrink);
    EXPECT_EQ(all.operations[4].payload, OperationPayload::CombinePages);

    const CleaningPlan lowOnly = PlanCleaning(kPurgeLowPriorityStandby | kCombinePages, seven);
    EXPECT_EQ(Commands(lowOnly), std::vector<uint32_t>{8005}) << "no combining before Windows 10";
    EXPECT_FALSE(lowOnly.classicStep);

    // Nothing usable chosen: the classic step, so that a run always cleans.
    for (const auto& [chosen, offered] : {std::pair{MethodSet{0}, ten}, std::pair{kAllMethods, xp},
                                          std::pair{MethodSet{kCombinePages}, seven}}) {
        const CleaningPlan plan = PlanCleaning(chosen, offered);
        EXPECT_TRUE(plan.operations.empty());
        EXPECT_TRUE(plan.classicStep) << chosen << " of " << offered;
    }
}

// The shipped English words, so that a key the plan uses but the file lacks shows up here.
class ShippedWords : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ini_.Load()); }
    TextLookup Lookup()
    {
        return [this](const char* key) {
            const std::string words = ini_.GetValue("Resource", key);
            EXPECT_FALSE(words.empty()) << key;
            return words;
        };
    }
    CIniFile ini_{testing_support::SourcePath("dist/Kelvane.ini").string()};
};

TEST_F(ShippedWords, EachOperationReportsItsOwnOutcomeAndTheListsWhenSampled)
{
    RunOutcome outcome;
    outcome.results = {
        {kEmptyWorkingSets, kStatusSuccess},
        {kShrinkFileCache, kStatusPrivilegeNotHeld},
        {kFlushModifiedList, kStatusAccessDenied},
        {kPurgeStandbyList, kStatusInvalidInfoClass},
        {kPurgeLowPriorityStandby, kStatusNotSupported},
        {kCombinePages, static_cast<int32_t>(0xC000009Au)},
    };
    outcome.classicStep = false;
    outcome.listsSampled = true;
    outcome.listsBefore = {1500 * kMB + 5, 300 * kMB};
    outcome.listsAfter = {200 * kMB, 12 * kMB - 1};
    EXPECT_EQ(MethodReportLines(outcome, Lookup()),
              (std::vector<std::string>{
                  "Empty the working sets of all programs: done",
                  "Shrink the system file cache: refused, Tidewell lacks the privilege",
                  "Write the modified page list to disk: refused, Tidewell lacks the privilege",
                  "Purge the standby list: not supported on this Windows",
                  "Purge the low-priority standby pages: not supported on this Windows",
                  "Combine identical pages (Windows 10 and later): failed (0xC000009A)",
                  "Standby list: 1500 MB before, 200 MB after",
                  "Modified list: 300 MB before, 11 MB after",
              }));
    EXPECT_TRUE(outcome.AnyStepDone());

    // Every operation refused and no classic step: nothing was done, whatever memory did.
    outcome.results.erase(outcome.results.begin());
    EXPECT_FALSE(outcome.AnyStepDone());
    outcome.classicStep = true;
    EXPECT_TRUE(outcome.AnyStepDone());

    outcome.listsSampled = false;
    EXPECT_EQ(MethodReportLines(outcome, Lookup()).size(), outcome.results.size());
    EXPECT_TRUE(MethodReportLines(RunOutcome{}, Lookup()).empty()) << "the classic run reports as before";
}

TEST(CleaningPlan, PlaceholdersAndStandbyShare)
{
    EXPECT_EQ(FillPlaceholders("{0}：前 {1}，后 {2} {3} {x", {"a", "1", "2"}), "a：前 1，后 2 {3} {x");
    const uint64_t installed = 8191 * kMB + 7; // not a multiple of 100 bytes
    const uint64_t share40 = (installed * 40 + 99) / 100;
    EXPECT_TRUE(StandbyListFull(share40, installed, 40));
    EXPECT_FALSE(StandbyListFull(share40 - 1, installed, 40));
    EXPECT_TRUE(StandbyListFull(UINT64_MAX / 2 + 1, UINT64_MAX, 50)) << "no overflow";
    EXPECT_FALSE(StandbyListFull(UINT64_MAX / 2, UINT64_MAX, 50));
    EXPECT_FALSE(StandbyListFull(installed, installed, 0)) << "a zero share never triggers";
    EXPECT_FALSE(StandbyListFull(5, 0, 40));
}

} // namespace
