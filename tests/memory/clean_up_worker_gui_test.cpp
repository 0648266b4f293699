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
using testing_support::PretendMachine;
using testing_support::PumpUntil;

// What reached the recording window, in order of arrival.
struct Recording {
    std::vector<std::string> events;
    bool done = false;
    bool workerReturnedBeforeDone = false;
    const std::atomic<bool>* workerReturned = nullptr;
};

Recording* current = nullptr;

bool ClipboardHoldsText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

LRESULT CALLBACK RecordParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLEANUP_DONE && current) {
        current->events.push_back("done " + std::to_string(wParam) + "," + std::to_string(lParam));
        current->workerReturnedBeforeDone = current->workerReturned && *current->workerReturned;
        current->done = true;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK RecordChild(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int id = GetDlgCtrlID(hwnd);
    if (current && message == WM_SETTEXT)
        current->events.push_back(std::to_string(id) + " text '" +
                                  reinterpret_cast<const char*>(lParam) + "'");
    if (current && message == kBusyProgressSetPosition) {
        // Whether the clipboard still holds its text tells which step emptied it.
        current->events.push_back(std::to_string(id) + " position " + std::to_string(wParam) +
                                  (ClipboardHoldsText() ? " clip" : " empty"));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class CleanUpWorkerTest : public testing::Test {
protected:
    void SetUp() override
    {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA parentClass{};
        parentClass.lpfnWndProc = RecordParent;
        parentClass.hInstance = instance;
        parentClass.lpszClassName = "TidewellCleanRecorder";
        RegisterClassA(&parentClass);
        WNDCLASSA childClass = parentClass;
        childClass.lpfnWndProc = RecordChild;
        childClass.lpszClassName = "TidewellCleanRecorderChild";
        RegisterClassA(&childClass);

        window_ = CreateWindowA("TidewellCleanRecorder", "recorder", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                100, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(window_, nullptr);
        for (int id : {kCleanPercentLabelId, kCleanGaugeId})
            ASSERT_NE(CreateWindowA("TidewellCleanRecorderChild", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                    100, 20, window_, reinterpret_cast<HMENU>(INT_PTR{id}),
                                    instance, nullptr), nullptr);
        current = &recording_;
    }

    void TearDown() override
    {
        current = nullptr;
        DestroyWindow(window_);
    }

    void PutTextOnClipboard()
    {
        ASSERT_TRUE(OpenClipboard(window_));
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
        memcpy(GlobalLock(text), "hello", 6);
        GlobalUnlock(text);
        EXPECT_NE(SetClipboardData(CF_TEXT, text), nullptr);
        CloseClipboard();
        ASSERT_TRUE(ClipboardHoldsText());
    }

    // Runs the worker on its own thread while this thread serves the window.
    void Run(int steps)
    {
        std::atomic<bool> returned{false};
        recording_.workerReturned = &returned;
        std::thread worker([&] {
            CMemoryCleaner::CleanUpWorker(steps, window_);
            returned = true;
        });
        EXPECT_TRUE(PumpUntil([&] { return recording_.done; }, 60000));
        worker.join();
        recording_.workerReturned = nullptr;
    }

    static std::vector<std::string> Expected(int steps)
    {
        std::vector<std::string> events;
        for (int i = 1; i <= steps; ++i) {
            events.push_back("1090 text '" + CMemoryCleaner::ProgressText(i) + "'");
            events.push_back("1015 position " + std::to_string(32 * i) + " clip");
        }
        events.push_back("1015 position 224 empty");
        events.push_back("1090 text '100 %'");
        events.push_back("done 0,0");
        return events;
    }

    HWND window_ = nullptr;
    Recording recording_;
};

TEST_F(CleanUpWorkerTest, RunsOfFourAndSixStepsReportTextGaugeThenStepAndEmptyTheClipboardLast)
{
    // A 192 MB machine: the deepest step commits 144 MB.
    PretendMachine machine(192 * kMB, 40 * kMB);
    for (int steps : {4, 6}) {
        recording_ = Recording{};
        PutTextOnClipboard();
        Run(steps);
        EXPECT_EQ(recording_.events, Expected(steps)) << steps << " steps";
        EXPECT_FALSE(recording_.workerReturnedBeforeDone) << "the end is sent, not posted";
        EXPECT_FALSE(ClipboardHoldsText());
    }
}

TEST_F(CleanUpWorkerTest, SingleStepsEmptyTheClipboardOnlyWhenAsked)
{
    PretendMachine machine(192 * kMB, 40 * kMB);
    PutTextOnClipboard();
    EXPECT_EQ(CMemoryCleaner::CleanStep(2, false, window_), 0); // the tray's quarter
    EXPECT_EQ(CMemoryCleaner::CleanStep(4, false), 0);          // the tray's half
    EXPECT_TRUE(ClipboardHoldsText());
    EXPECT_EQ(CMemoryCleaner::CleanStep(0, true, window_), 0); // allocates nothing, still empties
    EXPECT_FALSE(ClipboardHoldsText());
}

} // namespace
