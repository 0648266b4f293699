// The memory logic that needs no system: the whole-megabyte status, the clean step's arithmetic, the
// run's shared state, the plan a choice of cleaning methods makes, the words it reports, and which
// text the cleaning report puts into each of its controls.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "memory/clean_state.h"
#include "memory/cleaning_methods.h"
#include "memory/cleaning_report.h"
#include "memory/free_memory.h"
#include "memory/memory_cleaner.h"
#include "support/test_paths.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(MemoryStatus, RoundingSnappingAndSixtyFourBitFigures)
{
    const struct {
        uint64_t total, avail;
        int32_t totalMB, availMB, freePercent;
    } rows[] = {
        {255 * kMB + 3 * 1024, 77 * kMB + 1000, 256, 78, 30}, // odd figures round up to even
        {30 * kMB, kMB - 1, 32, 0, 0},
        {510 * kMB, 0, 512, 0, 0},
        {521 * kMB, 0, 522, 0, 0},                                     // above 512 the even figure stays
        {600 * kMB, 174 * kMB, 600, 174, 29},                          // 28.999... in floating point
        {64 * 1024 * kMB + kMB, 40 * 1024 * kMB, 65538, 40960, 62},    // far past 32-bit bytes
        {UINT64_MAX, 1ull << 50, INT32_MAX - 1, 1 << 30, 50},          // cut to what 32 bits hold
    };
    for (const auto& row : rows) {
        MemoryFigures figures;
        figures.totalPhys = row.total;
        figures.availPhys = row.avail;
        figures.availVirtual = 1901 * kMB + kMB - 1;
        figures.totalVirtual = 128ull * 1024 * 1024 * kMB;
        const MemoryStatus status = StatusFromFigures(figures);
        EXPECT_EQ(status.totalPhysMB, row.totalMB) << row.total;
        EXPECT_EQ(status.availPhysMB, row.availMB) << row.avail;
        EXPECT_EQ(FreeMemoryPercent(status), row.freePercent) << row.avail;
        EXPECT_EQ(status.availVirtualMB, 1901);
        EXPECT_EQ(status.totalVirtualMB, 128 * 1024 * 1024);
    }
    EXPECT_EQ(GainBetween({10, 0, 0, 0}, {12, 0, 0, 0}, 0).pages, 0u) << "no page size, no pages";
    EXPECT_EQ(FreeMemoryPercent({10, 0, 0, 0}), 0);
}

TEST(MemoryCleaner, StepCountBlockSizesInSixtyFourBitsAndProgressTexts)
{
    EXPECT_EQ(CMemoryCleaner::StepCountFor(74), 6);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(75), 4);
    const struct {
        int eighths;
        uint64_t total, expected;
    } rows[] = {
        {0, 192 * kMB, 0},           {-1, 192 * kMB, 0},  {1, 192 * kMB, 24 * kMB}, {3, 1001, 375},
        {4, 2048 * kMB, 1024 * kMB}, // a no-op in 32-bit arithmetic
        {6, 64ull * 1024 * kMB, 48ull * 1024 * kMB}, {8, UINT64_MAX, UINT64_MAX},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CMemoryCleaner::BlockBytes(row.eighths, row.total), row.expected)
            << row.eighths << " eighths of " << row.total;
    std::string texts;
    for (int sevenths = 0; sevenths <= 7; ++sevenths)
        texts += CMemoryCleaner::ProgressText(sevenths) + "|";
    EXPECT_EQ(texts, "  0%| 14%| 29%| 43%| 57%| 71%| 86%|100%|");
}

TEST(MemoryCleaner, ZeroingAsksForAStopBeforeEachChunk)
{
    std::vector<unsigned char> block(10, 0xFF);
    int asked = 0;
    EXPECT_EQ(CMemoryCleaner::ZeroInChunks(block.data(), block.size(), 4, [&] { return ++asked > 2; }), 8u);
    EXPECT_EQ(block, (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(CMemoryCleaner::ZeroInChunks(block.data(), block.size(), 4, [] { return false; }), 10u);
    EXPECT_EQ(block, std::vector<unsigned char>(10, 0));
}

TEST(CleanState, SnapshotsShareVirtualFiguresAndBusyChangesOnlyUnderTheLock)
{
    StoreSnapshot(StatusBefore, MemoryStatus{100, 256, 1900, 2048});
    StoreSnapshot(StatusAfter, MemoryStatus{140, 256, 1800, 2047});
    EXPECT_EQ(StatusBefore.availVirtualMB, 1800) << "the virtual figures of the last one taken";
    EXPECT_EQ(StatusBefore.totalVirtualMB, 2047);
    StatusBefore = StatusAfter = {};

    // Every write of busy waits for CleanLock: without it the writer is through in microseconds.
    for (void (*write)() : {+[] { ClaimCleanRun(); }, +[] { SetCleanBusy(true); }, +[] { ResetCleanState(); }}) {
        std::unique_lock<std::mutex> held(CleanLock);
        std::future<void> done = std::async(std::launch::async, write);
        EXPECT_EQ(done.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        held.unlock();
        done.get();
    }
    EXPECT_TRUE(ClaimCleanRun());
    EXPECT_FALSE(ClaimCleanRun());
    ResetCleanState();
}

TEST(CleaningPlan, OperationsInOrderWithTheirPrivilegesAndTheClassicFallback)
{
    const WindowsVersion me{false, 4, 90}, xp{true, 5, 1}, seven{true, 6, 1}, ten{true, 10, 0};
    const struct {
        MethodSet chosen;
        WindowsVersion version;
        std::vector<uint32_t> calls; // information class x 100 + command
        bool classicStep;
    } rows[] = {
        // Working sets first; the full standby purge in place of its low-priority part.
        {kAllMethods, ten, {8002, 8100, 8003, 8004, 13000}, true},
        {kPurgeLowPriorityStandby | kCombinePages, seven, {8005}, false}, // no combining before 10
        {kAllMethods, xp, {}, true},
        {kAllMethods, me, {}, true},
        {0, ten, {}, true}, // nothing chosen: a run always cleans
    };
    for (const auto& row : rows) {
        const CleaningPlan plan = PlanCleaning(row.chosen, MethodsOffered(row.version));
        std::vector<uint32_t> calls;
        for (const PlannedOperation& operation : plan.operations) {
            calls.push_back(operation.infoClass * 100 + operation.command);
            EXPECT_EQ(operation.privileges, operation.method == kShrinkFileCache ? kIncreaseQuotaPrivilege
                                                                                 : kProfileSingleProcessPrivilege);
        }
        EXPECT_EQ(calls, row.calls) << row.chosen << " on " << row.version.major;
        EXPECT_EQ(plan.classicStep, row.classicStep) << row.chosen << " on " << row.version.major;
    }
    // Programs to keep: the working sets one process at a time, the other operations as before.
    const CleaningPlan keeping = PlanCleaning(kEmptyWorkingSets | kPurgeStandbyList, kAllMethods, {"game.exe"});
    ASSERT_EQ(keeping.operations.size(), 2u);
    EXPECT_EQ(keeping.operations[0].payload, OperationPayload::EachProcessWorkingSet);
    EXPECT_EQ(keeping.operations[1].command, kMemoryPurgeStandbyList);
    EXPECT_EQ(keeping.keepWorkingSets, ProgramList{"game.exe"});
}

// In the shipped English words, so that a key the plan names but the file lacks shows up here.
TEST(CleaningPlan, EachOperationReportsItsOwnOutcomeAndTheListsWhenSampled)
{
    CIniFile ini(testing_support::SourcePath("dist/Kelvane.ini").string());
    ASSERT_TRUE(ini.Load());
    const TextLookup text = [&ini](const char* key) { return ini.GetValue("Resource", key); };
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
    outcome.workingSets = WorkingSetCounts{12, 40, 3};
    outcome.listsSampled = true;
    outcome.listsBefore = {1500 * kMB + 5, 300 * kMB};
    outcome.listsAfter = {200 * kMB, 12 * kMB - 1};
    EXPECT_EQ(MethodReportLines(outcome, text),
              (std::vector<std::string>{
                  "Empty the working sets of all programs: done",
                  "12 programs left alone, 40 emptied, 3 could not be emptied",
                  "Shrink the system file cache: refused, Tidewell lacks the privilege",
                  "Write the modified page list to disk: refused, Tidewell lacks the privilege",
                  "Purge the standby list: not supported on this Windows",
                  "Purge the low-priority standby pages: not supported on this Windows",
                  "Combine identical pages (Windows 10 and later): failed (0xC000009A)",
                  "Standby list: 1500 MB before, 200 MB after",
                  "Modified list: 300 MB before, 11 MB after",
              }));
    EXPECT_TRUE(outcome.AnyStepDone());
    EXPECT_TRUE(MethodReportLines(RunOutcome{}, text).empty()) << "the classic run reports as before";
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

TEST(CleaningReport, RowsForEachKindOfRunWithWholeSixtyFourBitFigures)
{
    const ReportTexts texts{"nothing", "available", "installed", "gained MB", "gained pages", "advice other",
                            "advice clean-up", "字节", "页"};
    // Above 4 GB: no 32-bit form holds these.
    const std::string avail = "6442450944", total = "17179869184";
    using Texts = std::array<std::string, kReportControlCount>; // 1122 .. 1133 in rows of three, 1134
    const Texts nothing{"nothing", "", "", "available", avail, "字节", "installed", total, "字节", "", "", "", ""};
    const Texts gained{"available", avail, "字节", "installed", total, "字节", "gained MB", "4000", "MB",
                       "gained pages", "1024000", "页", ""};
    const struct {
        int32_t before, after;
        bool cleanUpRun, anyStepDone;
        const Texts& texts;
        const char* advice;
    } rows[] = {
        {2000, 2000, false, true, nothing, "advice other"},
        {2000, 6000, false, true, gained, ""},
        {6000, 2000, true, true, gained, ""}, // memory fell: shown without its sign
    };
    for (const auto& row : rows) {
        ReportFigures figures;
        figures.before.availPhysMB = row.before;
        figures.after.availPhysMB = row.after;
        figures.availPhysBytes = 6144 * kMB;
        figures.totalPhysBytes = 16384 * kMB;
        figures.pageSize = 4096;
        figures.cleanUpRun = row.cleanUpRun;
        figures.anyStepDone = row.anyStepDone;
        const CleaningReport report = LayOutCleaningReport(figures, texts);
        EXPECT_EQ(report.gained, &row.texts == &gained) << row.before << " -> " << row.after;
        for (int id = kReportFirstControl; id < kReportAdviceControl; ++id)
            EXPECT_EQ(report.Text(id), row.texts[static_cast<size_t>(id - kReportFirstControl)])
                << row.before << " -> " << row.after << " control " << id;
        EXPECT_EQ(report.Text(kReportAdviceControl), row.advice) << row.before << " -> " << row.after;
    }
}

} // namespace
