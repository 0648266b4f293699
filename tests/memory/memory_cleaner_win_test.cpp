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
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

TEST(MemoryCleanerWin, FiguresFromTheSystemUnlessPretendedAndStepsCommitWhatTheyCan)
{
    MEMORYSTATUSEX real{};
    real.dwLength = sizeof(real);
    ASSERT_TRUE(GlobalMemoryStatusEx(&real));
    EXPECT_EQ(CMemoryCleaner::TotalPhysEvenMB(), EvenMB(real.ullTotalPhys));
    {
        PretendMachine machine(129 * kMB, 77 * kMB);
        EXPECT_EQ(CMemoryCleaner::TotalPhysEvenMB(), 130) << "not snapped";
        CMemoryCleaner::RecordBefore();
        EXPECT_EQ(StatusBefore.totalPhysMB, 192);
        EXPECT_EQ(StatusBefore.availPhysMB, 78);
        StatusBefore = {};
    }
    // Blocks the system cannot commit are skipped.
    for (uint64_t installed : {uint64_t{1} << 52, UINT64_MAX}) {
        PretendMachine machine(installed, installed / 2);
        const SIZE_T before = PeakWorkingSet();
        EXPECT_EQ(CMemoryCleaner::CleanStep(8, false), 0);
        EXPECT_LT(PeakWorkingSet(), before + 16 * kMB) << installed;
    }
    // The peak only grows: a block clearly larger than the peak so far is touched whole.
    const SIZE_T before = PeakWorkingSet();
    if (before > 320 * kMB)
        GTEST_SKIP() << "peak working set already " << before / kMB << " MB";
    const uint64_t installed = (before / kMB + 160) * kMB;
    PretendMachine machine(installed, installed / 2);
    EXPECT_EQ(CMemoryCleaner::CleanStep(8, false), 0);
    EXPECT_GE(PeakWorkingSet(), before + 150 * kMB);
}

} // namespace
