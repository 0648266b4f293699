#include <windows.h>

#include <cstdint>
#include <string>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "win32/wait_cursor.h"

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

int CMemoryCleaner::CleanStep(int eighths, bool emptyClipboard, HWND clipboardOwner, const std::atomic<bool>* stop)
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
    ZeroInChunks(block, static_cast<size_t>(bytes), kZeroChunkBytes, [stop] { return stop && stop->load(); });
    VirtualFree(block, 0, MEM_RELEASE);
    return 0;
}
