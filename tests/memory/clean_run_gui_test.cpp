#include "memory/clean_run_win.h"

#include <windows.h>

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

bool ClipboardHoldsText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

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

class CleanRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        progress_.run = &run_;
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(GlobalLock(text), "hello", 6);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
        ASSERT_TRUE(ClipboardHoldsText());
    }
    void TearDown() override { ResetCleanState(); }

    CleanUpPlan Plan(int steps)
    {
        CleanUpPlan plan;
        plan.stepCount = steps;
        plan.firstOperation = [this](const std::atomic<bool>&) { progress_.events.push_back("first"); };
        return plan;
    }

    testing_support::PretendMachine machine_{192 * kMB, 40 * kMB}; // 144 MB at the deepest step
    RecordingProgress progress_;
    CleanRun run_{progress_};
    int finished_ = 0;
};

class CleanUpRun : public CleanRunTest, public testing::WithParamInterface<int> {};

TEST_P(CleanUpRun, ShowsTextThenGaugeThenStepsEmptiesTheClipboardLastAndFinishesOnce)
{
    const int steps = GetParam();
    ASSERT_TRUE(run_.StartCleanUp(Plan(steps)));
    EXPECT_TRUE(CleanState.busy);
    EXPECT_TRUE(CleanState.cleanUpRun);
    EXPECT_EQ(CleanState.amountEighths, steps);
    run_.WhenFinished([this] { ++finished_; });
    EXPECT_FALSE(run_.StartCleanUp(Plan(steps))) << "one run at a time";
    EXPECT_FALSE(run_.StartOrganise(3));
    ASSERT_TRUE(run_.WaitForWorker(60000));

    std::vector<std::string> expected = {"first"};
    for (int i = 1; i <= steps; ++i) {
        expected.push_back("percent '" + CMemoryCleaner::ProgressText(i) + "'");
        expected.push_back("gauge " + std::to_string(32 * i) + " clip");
    }
    for (const char* end : {"gauge 224", "percent '100 %'", "done"})
        expected.push_back(end);
    EXPECT_EQ(progress_.events, expected);
    EXPECT_EQ(finished_, 1);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_FALSE(CleanState.cleanUpRun);
}
INSTANTIATE_TEST_SUITE_P(FourAndSixSteps, CleanUpRun, testing::Values(4, 6));

TEST_F(CleanRunTest, ExitMidRunStopsBeforeTheNextStepAndAFailedStartEndsQuietly)
{
    progress_.holdAtSecondStep = true;
    ASSERT_TRUE(run_.StartCleanUp(Plan(6)));
    ASSERT_TRUE(testing_support::PumpUntil([this] { return progress_.reachedSecondStep.load(); }, 60000));
    run_.Exit();
    EXPECT_FALSE(run_.WorkerRunning());
    EXPECT_EQ(progress_.events, (std::vector<std::string>{"first", "percent ' 14%'", "gauge 32 clip",
                                                          "percent ' 29%'", "gauge 64 clip", "done"}));
    EXPECT_TRUE(ClipboardHoldsText()) << "the last step did not run";
    EXPECT_FALSE(CleanState.busy);

    progress_.events.clear();
    SetCleanWorkerStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
    EXPECT_FALSE(run_.StartCleanUp(Plan(6)));
    SetCleanWorkerStarter(nullptr);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_TRUE(progress_.events.empty()) << "no Done for a run that never ran";
}

TEST_F(CleanRunTest, SingleCleanStepsEmptyTheClipboardOnlyWhenAsked)
{
    CMemoryCleaner::CleanStep(2, false); // the tray's quarter
    CMemoryCleaner::CleanStep(4, false); // the tray's half
    EXPECT_TRUE(ClipboardHoldsText());
    CMemoryCleaner::CleanStep(0, true); // commits nothing, still empties
    EXPECT_FALSE(ClipboardHoldsText());
}

} // namespace
