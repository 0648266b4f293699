// A clean run on its worker and the clean step against the real memory.
#include "memory/clean_run_win.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "support/clipboard_win.h"
#include "support/message_pump_win.h"
#include "support/pretend_machine.h"

namespace {

using namespace testing_support;

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

// Records what a run shows, in order; the clipboard tells which step emptied it. Done finishes the
// run as the main window does. Written by the worker, read once it has ended.
class RecordingProgress : public CleanProgress {
public:
    void ShowPercent(const std::string& text) override { events.push_back("percent '" + text + "'"); }
    void ShowGauge(int position) override
    {
        events.push_back("gauge " + std::to_string(position) + (ClipboardHoldsText() ? " clip" : ""));
        if (position == 2 * kCleanGaugeStep && holdAtSecondStep) {
            reachedSecondStep = true;
            for (int i = 0; i < 10000 && !run->StopRequested(); ++i)
                Sleep(1);
        }
    }
    void Done() override
    {
        events.push_back("done");
        run->Finish();
    }

    std::vector<std::string> events;
    CleanRun* run = nullptr;
    bool holdAtSecondStep = false;
    std::atomic<bool> reachedSecondStep{false};
};

TEST(CleanRun, StepsInOrderClipboardLastOneRunAtATimeAndExitMidRun)
{
    PretendMachine machine(192 * kMB, 40 * kMB); // 144 MB at the deepest step
    RecordingProgress progress;
    CleanRun run(progress);
    progress.run = &run;
    CleanUpPlan plan;
    plan.stepCount = 4;
    plan.firstOperation = [&progress](const std::atomic<bool>&) { progress.events.push_back("first"); };
    plan.emptyClipboard = [] { // the window's part
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    };
    PutTextOnClipboard();

    ASSERT_TRUE(run.StartCleanUp(plan));
    EXPECT_FALSE(run.StartCleanUp(plan)) << "one run at a time";
    EXPECT_FALSE(run.StartOrganise(3));
    ASSERT_TRUE(run.WaitForWorker(60000));
    std::vector<std::string> expected = {"first"};
    for (int i = 1; i <= 4; ++i) {
        expected.push_back("percent '" + CMemoryCleaner::ProgressText(i) + "'");
        expected.push_back("gauge " + std::to_string(32 * i) + " clip");
    }
    for (const char* end : {"gauge 224", "percent '100 %'", "done"})
        expected.push_back(end);
    EXPECT_EQ(progress.events, expected);

    // An exit between two steps: the next step stops before its first chunk, no further step runs,
    // Done once, the clipboard kept.
    PretendMachine large(2048 * kMB, 1024 * kMB); // the second step: 256 MB
    PutTextOnClipboard();
    progress.events.clear();
    progress.holdAtSecondStep = true;
    plan.stepCount = 6;
    ASSERT_TRUE(run.StartCleanUp(plan));
    ASSERT_TRUE(PumpUntil([&progress] { return progress.reachedSecondStep.load(); }, 60000));
    const SIZE_T peak = PeakWorkingSet();
    run.Exit();
    EXPECT_LT(PeakWorkingSet(), peak + 64 * kMB) << "the step wrote its block after the exit";
    EXPECT_EQ(progress.events, (std::vector<std::string>{"first", "percent ' 14%'", "gauge 32 clip",
                                                         "percent ' 29%'", "gauge 64 clip", "done"}));
    EXPECT_TRUE(ClipboardHoldsText());

    // A worker that cannot start: the run is over at once, without Done.
    progress.events.clear();
    SetCleanWorkerStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
    EXPECT_FALSE(run.StartCleanUp(plan));
    SetCleanWorkerStarter(nullptr);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_TRUE(progress.events.empty());
    ResetCleanState();
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
        CMemoryCleaner::CleanStep(8);
        EXPECT_LT(PeakWorkingSet(), before + 16 * kMB) << installed;
    }
    // The peak only grows: a block clearly larger than the peak so far is touched whole.
    const SIZE_T before = PeakWorkingSet();
    if (before > 320 * kMB)
        GTEST_SKIP() << "peak working set already " << before / kMB << " MB";
    const uint64_t installed = (before / kMB + 160) * kMB;
    PretendMachine machine(installed, installed / 2);
    CMemoryCleaner::CleanStep(8);
    EXPECT_GE(PeakWorkingSet(), before + 150 * kMB);
}

} // namespace
