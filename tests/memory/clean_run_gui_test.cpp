// A clean run on its worker, the clean step against the real memory, and the report after a run.
#include "memory/clean_run_win.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "app/report_dlg_win.h"
#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "support/pretend_machine.h"
#include "support/recording_host_win.h"

namespace {

using namespace testing_support;

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
    PretendMachine machine(192 * kMB, 40 * kMB); // 144 MB at the deepest step
    RecordingProgress progress;
    CleanRun run(progress);
    progress.run = &run;
    CleanUpPlan plan;
    plan.stepCount = 4;
    plan.firstOperation = [&progress](const std::atomic<bool>&) { progress.events.push_back("first"); };
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

    CMemoryCleaner::CleanStep(0, true); // commits nothing, still empties
    EXPECT_FALSE(ClipboardHoldsText());
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

// A run that began with `beforeMB` available on a 256 MB machine that now has 164 MB.
void Report(int32_t beforeMB, bool cleanUpRun, const RunOutcome& outcome = RunOutcome{})
{
    PretendMachine machine(256 * kMB, 164 * kMB);
    StatusBefore.availPhysMB = beforeMB;
    CleanState.cleanUpRun = cleanUpRun;
    ShowCleaningReport(outcome);
    StatusBefore = StatusAfter = {};
    CleanState.cleanUpRun = false;
}

// The figures of now in bytes and pages, refused operations listed below them, and the advice of
// a run that gained nothing.
TEST(ReportDlg, FiguresRefusalsAndAdvice)
{
    // The report is answered with OK after noting what it showed.
    std::string caption, methodLines, advice, value1, value4; // no lines while they are hidden
    bool okBelowLines = false;
    RecordingHost host;
    host.modal = [&](win32::Dialog& dialog) {
        if (!dialog.CreateModeless())
            return INT_PTR{-1};
        caption = dialog.GetCaption();
        value1 = dialog.GetItemText(IDC_REPORT_VALUE1);
        value4 = dialog.GetItemText(IDC_REPORT_VALUE4);
        advice = dialog.GetItemText(IDC_REPORT_ADVICE);
        const HWND lines = dialog.Item(IDC_REPORT_METHODS);
        methodLines = (GetWindowLongA(lines, GWL_STYLE) & WS_VISIBLE) ? dialog.GetItemText(IDC_REPORT_METHODS) : "";
        RECT client{}, button{}, lineBox{}; // on the screen
        GetClientRect(dialog.hwnd(), &client);
        MapWindowPoints(dialog.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(dialog.Item(IDOK), &button);
        GetWindowRect(lines, &lineBox);
        okBelowLines = button.top >= lineBox.bottom && button.bottom <= client.bottom;
        dialog.EndDialog(IDOK);
        return INT_PTR{IDOK};
    };
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    Report(100, false);
    EXPECT_EQ(value1, std::to_string(164 * kMB)) << "the after-run snapshot";
    EXPECT_EQ(value4, std::to_string(64 * kMB / system.dwPageSize));
    EXPECT_EQ(caption, "Tidewell" + UiText("ReportStr1"));
    EXPECT_EQ(methodLines, "") << "a classic run shows the figures alone";

    RunOutcome refused;
    refused.classicStep = false;
    refused.results = {{kEmptyWorkingSets, kStatusPrivilegeNotHeld}, {kPurgeStandbyList, kStatusNotSupported}};
    Report(100, true, refused);
    EXPECT_EQ(advice, UiText("ZLJY2")) << "memory rose, but not through this run";
    EXPECT_NE(methodLines.find(UiText("MethodNoPrivilege") + "\n"), std::string::npos) << methodLines;
    EXPECT_TRUE(okBelowLines) << "the dialog grew to hold the lines";
}

} // namespace
