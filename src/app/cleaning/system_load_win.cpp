#include "app/cleaning/system_load_win.h"

#include "memory/free_memory.h"
#include "memory/memory_cleaner.h"
#include "monitors/cpu_usage_win.h"

void GetSystemLoad(int32_t* load, int32_t* freePercent)
{
    *freePercent = 0;
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    *freePercent = FreeMemoryPercent(status);
    CCpuUsage::Sample(load);
}
