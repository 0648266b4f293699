#include <windows.h>

#include <cstdint>
#include <string>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"

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

void CMemoryCleaner::CleanStep(int eighths, const std::atomic<bool>* stop)
{
    const uint64_t bytes = BlockBytes(eighths, ReadMemoryFigures().totalPhys);
    if (bytes == 0 || bytes > SIZE_MAX)
        return;
    void* block = VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_COMMIT, PAGE_READWRITE);
    if (!block)
        return; // more than the system can commit: nothing to do
    ZeroInChunks(block, static_cast<size_t>(bytes), kZeroChunkBytes, [stop] { return stop && stop->load(); });
    VirtualFree(block, 0, MEM_RELEASE);
}
