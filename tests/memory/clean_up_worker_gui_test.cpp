#include "memory/memory_cleaner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "memory/pretend_machine.h"
#include "support/screenshot_win.h"

namespace {

using testing_support::kMB;

// What reached the recording window and its two controls, in order of arrival.
std::vector<std::string> events;
std::atomic<bool> workerReturned{false};

bool ClipboardHoldsText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::string id = std::to_string(GetDlgCtrlID(hwnd));
    if (message == WM_CLEANUP_DONE)
        events.push_back(workerReturned ? "done after return" : "done");
    else if (message == WM_SETTEXT)
        events.push_back(id + " '" + reinterpret_cast<const char*>(lParam) + "'");
    else if (message == kBusyProgressSetPosition) // the clipboard tells which step emptied it
        events.push_back(id + " " + std::to_string(wParam) + (ClipboardHoldsText() ? " clip" : ""));
    else
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return 0;
}

class RecordingWindow : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA recorder{};
        recorder.lpfnWndProc = Record;
        recorder.lpszClassName = "TidewellCleanRecorder";
        RegisterClassA(&recorder);
        window_ = CreateWindowA("TidewellCleanRecorder", "", WS_OVERLAPPED, 0, 0, 300, 100, nullptr,
                                nullptr, nullptr, nullptr);
        for (INT_PTR id : {kCleanPercentLabelId, kCleanGaugeId})
            CreateWindowA("TidewellCleanRecorder", "", WS_CHILD, 0, 0, 100, 20, window_,
                          reinterpret_cast<HMENU>(id), nullptr, nullptr);
        ASSERT_TRUE(OpenClipboard(window_));
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
        memcpy(GlobalLock(text), "hello", 6);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
        CloseClipboard();
        ASSERT_TRUE(ClipboardHoldsText());
        events.clear();
    }
    void TearDown() override { DestroyWindow(window_); }

    HWND window_ = nullptr;
    testing_support::PretendMachine machine_{192 * kMB, 40 * kMB}; // 144 MB at the deepest step
};

class CleanUpRun : public RecordingWindow, public testing::WithParamInterface<int> {};

TEST_P(CleanUpRun, ReportsTextThenGaugeThenStepAndEmptiesTheClipboardLast)
{
    const int steps = GetParam();
    workerReturned = false;
    std::thread worker([&] {
        CMemoryCleaner::CleanUpWorker(steps, window_);
        workerReturned = true;
    });
    EXPECT_TRUE(testing_support::PumpUntil([] { return workerReturned.load(); }, 60000));
    worker.join();

    std::vector<std::string> expected;
    for (int i = 1; i <= steps; ++i) {
        expected.push_back("1090 '" + CMemoryCleaner::ProgressText(i) + "'");
        expected.push_back("1015 " + std::to_string(32 * i) + " clip");
    }
    for (const char* end : {"1015 224", "1090 '100 %'", "done"}) // sent, so before the return
        expected.push_back(end);
    EXPECT_EQ(events, expected);
}
INSTANTIATE_TEST_SUITE_P(FourAndSixSteps, CleanUpRun, testing::Values(4, 6));

TEST_F(RecordingWindow, SingleCleanStepsEmptyTheClipboardOnlyWhenAsked)
{
    CMemoryCleaner::CleanStep(2, false, window_); // the tray's quarter
    CMemoryCleaner::CleanStep(4, false);          // the tray's half
    EXPECT_TRUE(ClipboardHoldsText());
    CMemoryCleaner::CleanStep(0, true, window_); // commits nothing, still empties
    EXPECT_FALSE(ClipboardHoldsText());
}

} // namespace
