#include <windows.h>

#include <cstdint>
#include <string>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "win32/wait_cursor.h"

namespace {

// Synchronous sends: the worker touches none of the window's own objects.
void SetLabelText(HWND label, const std::string& text)
{
    SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetGaugePosition(HWND gauge, int position)
{
    SendMessageA(gauge, kBusyProgressSetPosition, static_cast<WPARAM>(position), 0);
    InvalidateRect(gauge, nullptr, TRUE);
}

} // namespace

void CMemoryCleaner::SampleStatus(MemoryStatus& out)
{
    out = StatusFromFigures(ReadMemoryFigures());
}

int32_t CMemoryCleaner::TotalPhysEvenMB()
{
    return EvenMB(ReadMemoryFigures().totalPhys);
}

void CMemoryCleaner::RecordBefore()
{
    MemoryStatus sample;
    SampleStatus(sample);
    StoreSnapshot(StatusBefore, sample);
}

void CMemoryCleaner::RecordAfter()
{
    MemoryStatus sample;
    SampleStatus(sample);
    StoreSnapshot(StatusAfter, sample);
}

int CMemoryCleaner::CleanStep(int eighths, bool emptyClipboard, HWND clipboardOwner)
{
    win32::WaitCursor wait;
    if (emptyClipboard && OpenClipboard(clipboardOwner)) {
        EmptyClipboard();
        CloseClipboard();
    }
    const uint64_t bytes = BlockBytes(eighths, ReadMemoryFigures().totalPhys);
    if (bytes == 0 || bytes > SIZE_MAX)
        return 0;
    void* block = VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_COMMIT, PAGE_READWRITE);
    if (!block)
        return 0; // more than the system can commit: nothing to do
    ZeroBlock(block, static_cast<size_t>(bytes));
    VirtualFree(block, 0, MEM_RELEASE);
    return 0;
}

int CMemoryCleaner::CleanUpWorker(int stepCount, HWND window)
{
    const HWND label = GetDlgItem(window, kCleanPercentLabelId);
    const HWND gauge = GetDlgItem(window, kCleanGaugeId);
    for (int i = 0; i < stepCount; ++i) {
        SetLabelText(label, ProgressText(i + 1));
        SetGaugePosition(gauge, GaugePosition(i + 1));
        CleanStep(i, false, window);
    }
    // The last and largest step always empties the clipboard.
    CleanStep(stepCount, true, window);
    SetGaugePosition(gauge, kCleanGaugeMax);
    SetLabelText(label, kCleanDoneText);
    SendMessageA(window, WM_CLEANUP_DONE, 0, 0);
    return 0;
}
