#include "memory/memory_cleaner.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include "memory/clean_state.h"
#include "memory/pretend_machine.h"

namespace {

using testing_support::kMB;
using testing_support::PretendMachine;

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)));
    return counters.PeakWorkingSetSize;
}

TEST(MemoryCleanerWin, SystemSourceGivesTheMachinesOwnFigures)
{
    MEMORYSTATUSEX real{};
    real.dwLength = sizeof(real);
    ASSERT_TRUE(GlobalMemoryStatusEx(&real));
    const MemoryFigures figures = ReadMemoryFigures();
    EXPECT_EQ(figures.totalPhys, real.ullTotalPhys);
    EXPECT_EQ(figures.totalVirtual, real.ullTotalVirtual);
    EXPECT_GT(figures.availPhys, 0u);
    EXPECT_LE(figures.availPhys, figures.totalPhys);

    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    EXPECT_EQ(status.totalPhysMB, SnapToInstalledMB(EvenMB(real.ullTotalPhys)));
    EXPECT_EQ(CMemoryCleaner::TotalPhysEvenMB(), EvenMB(real.ullTotalPhys));
    EXPECT_GT(status.availVirtualMB, 0);
}

TEST(MemoryCleanerWin, SampleAndSnapshotsReadThePretendedMachine)
{
    {
        PretendMachine machine(129 * kMB, 77 * kMB);
        MemoryStatus status;
        CMemoryCleaner::SampleStatus(status);
        EXPECT_EQ(status.totalPhysMB, 192);
        EXPECT_EQ(status.availPhysMB, 78);
        EXPECT_EQ(CMemoryCleaner::TotalPhysEvenMB(), 130) << "not snapped";

        CMemoryCleaner::RecordBefore();
        EXPECT_EQ(StatusBefore.availPhysMB, 78);
        EXPECT_EQ(StatusBefore.availVirtualMB, 1900);
    }
    {
        PretendMachine machine(129 * kMB, 95 * kMB);
        CMemoryCleaner::RecordAfter();
        EXPECT_EQ(StatusAfter.availPhysMB, 96);
        const CleanGain gain = GainBetween(StatusBefore, StatusAfter, 4096);
        EXPECT_EQ(gain.megabytes, 18);
        EXPECT_EQ(gain.pages, 18u * 256);
    }
    MemoryStatus real;
    CMemoryCleaner::SampleStatus(real);
    EXPECT_NE(real.totalPhysMB, 192) << "the system's source is back";
    StatusBefore = {};
    StatusAfter = {};
}

TEST(MemoryCleanerWin, StepCommitsAndTouchesTheWholeBlock)
{
    // The peak working set only grows: make the block clearly larger than the peak so far.
    const SIZE_T before = PeakWorkingSet();
    if (before > 320 * kMB)
        GTEST_SKIP() << "peak working set already " << before / kMB << " MB";
    const uint64_t installed = (before / kMB + 160) * kMB;
    PretendMachine machine(installed, installed / 2);
    EXPECT_EQ(CMemoryCleaner::CleanStep(8, false), 0);
    const SIZE_T after = PeakWorkingSet();
    EXPECT_GE(after, before + 150 * kMB) << "before " << before / kMB << " MB, after "
                                         << after / kMB << " MB";
}

TEST(MemoryCleanerWin, StepsTheSystemCannotCommitAreSkipped)
{
    const struct {
        int eighths;
        uint64_t installed;
    } cases[] = {
        {0, 192 * kMB},              // nothing to commit
        {8, uint64_t{1} << 52},      // 4 PB: beyond any address space
        {8, UINT64_MAX},
    };
    for (const auto& c : cases) {
        PretendMachine machine(c.installed, c.installed / 2);
        const SIZE_T before = PeakWorkingSet();
        EXPECT_EQ(CMemoryCleaner::CleanStep(c.eighths, false), 0);
        EXPECT_LT(PeakWorkingSet(), before + 16 * kMB) << c.eighths << " of " << c.installed;
    }
}

} // namespace
