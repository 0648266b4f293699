#pragma once
// The processor load on both system families.
#include <windows.h>

#include <cstdint>

#include "monitors/paging_counters.h"

class CCpuUsage {
public:
    // NT family: kernel counters against the previous sample. Writes the load only when one
    // could be computed, and the paging counts of the same record when asked.
    static void SampleNt(int32_t* load, PagingCounters* paging = nullptr);
    // Windows 95/98/Me: the load the system publishes in its performance statistics
    // (HKEY_DYN_DATA). Writes the load only when it was read.
    static LONG Sample9x(int32_t* load);
    // 0, then the load of this system's family when it can be measured.
    static void Sample(int32_t* load, PagingCounters* paging = nullptr);
};
