#pragma once
// Memory sampling and cleaning: a clean step commits a block of eighths of the installed memory,
// writes every byte and releases it, so the system frees that much physical memory for others.
#include <cstddef>
#include <cstdint>
#include <string>

#include "memory/memory_status.h"

// The window handle of <windows.h>, named here so that this header stays portable.
struct HWND__;

// Sent by the clean-up worker to its window when the run has ended; both parameters 0.
constexpr unsigned WM_CLEANUP_DONE = 4362;
// The main window's controls the clean-up worker moves.
constexpr int kCleanPercentLabelId = 1090;
constexpr int kCleanGaugeId = 1015;
// The busy progress control's set-position message (WM_USER + 2, position in wParam).
constexpr unsigned kBusyProgressSetPosition = 0x0400 + 2;
// Progress runs in sevenths: the gauge's range is 0 to 7 x 32.
constexpr int kCleanGaugeStep = 32;
constexpr int kCleanGaugeMax = 7 * kCleanGaugeStep;
constexpr const char* kCleanDoneText = "100 %";

class CMemoryCleaner {
public:
    // Platform operations (memory_cleaner_win.cpp).
    static void SampleStatus(MemoryStatus& out);
    // Installed memory in megabytes rounded up to even, not snapped to an installed size.
    static int32_t TotalPhysEvenMB();
    static void RecordBefore();
    static void RecordAfter();
    // One clean step of eighths of the installed memory; a block the system cannot commit is
    // skipped. The clipboard is emptied first when asked, opened for clipboardOwner.
    static int CleanStep(int eighths, bool emptyClipboard, HWND__* clipboardOwner = nullptr);
    // The clean-up run: steps of 0 .. n-1 eighths, then n eighths with the clipboard emptied.
    // Reports its progress to the window's controls and ends by sending it WM_CLEANUP_DONE.
    static int CleanUpWorker(int stepCount, HWND__* window);

    // Pure parts (memory_cleaner.cpp).
    static int StepCountFor(int32_t freePercent);
    // eighths x installed / 8 without overflow; 0 for none or a negative count.
    static uint64_t BlockBytes(int eighths, uint64_t totalPhys);
    // Writes zero into every byte.
    static void ZeroBlock(void* block, size_t bytes);
    // The percentage label after a number of sevenths of a run: " 14%", " 29%" ... "100%".
    static std::string ProgressText(int sevenths);
    static int GaugePosition(int sevenths) { return kCleanGaugeStep * sevenths; }
};
