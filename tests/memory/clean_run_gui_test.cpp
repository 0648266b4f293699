#include "memory/clean_run_win.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "memory/pretend_machine.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::kMB;

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

bool ClipboardHoldsText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

void PutTextOnClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "hello", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    ASSERT_TRUE(ClipboardHoldsText());
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
    testing_support::PretendMachine machine(192 * kMB, 40 * kMB); // 144 MB at the deepest step
    RecordingProgress progress;
    CleanRun run(progress);
    progress.run = &run;
    CleanUpPlan plan;
    plan.stepCount = 4;
    plan.firstOperation = [&progress](const std::atomic<bool>&) { progress.events.push_back("first"); };
    int finished = 0;
    PutTextOnClipboard();

    ASSERT_TRUE(run.StartCleanUp(plan));
    EXPECT_TRUE(CleanState.busy && CleanState.cleanUpRun);
    EXPECT_EQ(CleanState.amountEighths, 4);
    run.WhenFinished([&finished] { ++finished; });
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
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(CleanState.busy || CleanState.cleanUpRun);

    // An exit between two steps: the next step stops before its first chunk, no further step runs,
    // Done once, the clipboard kept.
    testing_support::PretendMachine large(2048 * kMB, 1024 * kMB); // the second step: 256 MB
    PutTextOnClipboard();
    progress.events.clear();
    progress.holdAtSecondStep = true;
    plan.stepCount = 6;
    ASSERT_TRUE(run.StartCleanUp(plan));
    ASSERT_TRUE(testing_support::PumpUntil([&progress] { return progress.reachedSecondStep.load(); }, 60000));
    const SIZE_T peak = PeakWorkingSet();
    run.Exit();
    EXPECT_LT(PeakWorkingSet(), peak + 64 * kMB) << "the step wrote its block after the exit";
    EXPECT_FALSE(run.WorkerRunning());
    EXPECT_EQ(progress.events, (std::vector<std::string>{"first", "percent ' 14%'", "gauge 32 clip",
                                                         "percent ' 29%'", "gauge 64 clip", "done"}));
    EXPECT_TRUE(ClipboardHoldsText());
    EXPECT_FALSE(CleanState.busy);

    // A worker that cannot start: the run is over at once, without Done.
    progress.events.clear();
    SetCleanWorkerStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
    EXPECT_FALSE(run.StartCleanUp(plan));
    SetCleanWorkerStarter(nullptr);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_TRUE(progress.events.empty());

    CMemoryCleaner::CleanStep(0, true); // commits nothing, still empties
    EXPECT_FALSE(ClipboardHoldsText());
    ResetCleanState();
}

} // namespace
