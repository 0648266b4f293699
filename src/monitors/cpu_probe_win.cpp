#include "monitors/cpu_probe_win.h"

#include "monitors/cpuid_exec.h"

#include <windows.h>

namespace {

CounterSource CounterFrom(BOOL(WINAPI* query)(LARGE_INTEGER*))
{
    return [query](int64_t& out) {
        LARGE_INTEGER value;
        if (!query(&value))
            return false;
        out = value.QuadPart;
        return true;
    };
}

} // namespace

CpuProbe SystemCpuProbe()
{
    return {HardwareCpuid(), HardwareTsc(), CounterFrom(QueryPerformanceFrequency),
            CounterFrom(QueryPerformanceCounter)};
}
