#include "monitors/cpu_clock_win.h"

#include "common/registry_key_win.h"
#include "monitors/cpuid_exec.h"
#include "win32/system_library.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

bool LowTsc(uint32_t& out)
{
    uint64_t tsc = 0;
    if (!ReadCpuTimeStamp(tsc))
        return false;
    out = static_cast<uint32_t>(tsc);
    return true;
}

} // namespace

uint32_t GetClockFromRegistry()
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0",
                 KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return 0;
    DWORD mhz = 0;
    if (key.QueryDword("~MHz", mhz) != ERROR_SUCCESS)
        return 0;
    return mhz;
}

uint32_t MeasureClockQpc()
{
    LARGE_INTEGER frequency, start, end;
    if (!QueryPerformanceFrequency(&frequency))
        return 0;
    uint32_t a = 0, b = 0;
    QueryPerformanceCounter(&start);
    const bool first = LowTsc(a);
    Sleep(300);
    const bool second = LowTsc(b);
    QueryPerformanceCounter(&end);
    if (!first || !second)
        return 0;
    return ClockFromCounterSpan(b - a, end.QuadPart - start.QuadPart, frequency.QuadPart);
}

uint32_t MeasureClockTimer()
{
    static const auto timeGetTime = win32::SystemFunction<decltype(&::timeGetTime)>("winmm.dll", "timeGetTime");
    if (!timeGetTime)
        return 0;
    const DWORD t0 = timeGetTime();
    DWORD t1 = t0;
    while ((t1 = timeGetTime()) - t0 < 2) {
    }
    uint32_t a = 0, b = 0;
    const bool first = LowTsc(a);
    while (timeGetTime() - t1 <= 500) {
    }
    if (!first || !LowTsc(b))
        return 0;
    return ClockFromTimerSpan(b - a);
}

std::string GetCpuClockText(const ClockMethods& methods)
{
    const HANDLE process = GetCurrentProcess();
    const DWORD previous = GetPriorityClass(process);
    SetPriorityClass(process, HIGH_PRIORITY_CLASS);
    const uint32_t mhz = PickClockMHz(methods);
    if (previous != 0)
        SetPriorityClass(process, previous);
    return FormatClockText(mhz);
}

std::string GetCpuClockText()
{
    return GetCpuClockText({GetClockFromRegistry, MeasureClockQpc, MeasureClockTimer});
}
