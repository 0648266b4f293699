#include "monitors/cpu_probe_win.h"

#include "monitors/cpuid_exec.h"

#include <windows.h>

CpuProbe SystemCpuProbe()
{
    CpuProbe probe;
    probe.cpuid = HardwareCpuid();
    probe.readTsc = HardwareTsc();
    probe.counterFrequency = [](int64_t& out) {
        LARGE_INTEGER value;
        if (!QueryPerformanceFrequency(&value))
            return false;
        out = value.QuadPart;
        return true;
    };
    probe.counterNow = [](int64_t& out) {
        LARGE_INTEGER value;
        if (!QueryPerformanceCounter(&value))
            return false;
        out = value.QuadPart;
        return true;
    };
    return probe;
}
