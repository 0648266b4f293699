#include "monitors/cpu_usage_win.h"

#include <cstddef>

#include "common/registry_key_win.h"
#include "common/windows_family_win.h"
#include "monitors/cpu_usage.h"
#include "win32/ntdll_entry.h"

namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kSystemTimeOfDayInformation = 3;

// The kernel takes this record only at its exact size, which depends on the bitness:
// 44 bytes on 32-bit systems, 64 on 64-bit ones.
struct BasicInformation {
    ULONG reserved;
    ULONG timerResolution;
    ULONG pageSize;
    ULONG numberOfPhysicalPages;
    ULONG lowestPhysicalPageNumber;
    ULONG highestPhysicalPageNumber;
    ULONG allocationGranularity;
    ULONG_PTR minimumUserModeAddress;
    ULONG_PTR maximumUserModeAddress;
    ULONG_PTR activeProcessorsAffinityMask;
    CHAR numberOfProcessors;
};
static_assert(sizeof(BasicInformation) == (sizeof(void*) == 8 ? 64 : 44));
static_assert(offsetof(BasicInformation, numberOfProcessors) == (sizeof(void*) == 8 ? 56 : 40));

struct TimeOfDayInformation {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
};
static_assert(sizeof(TimeOfDayInformation) == 32);

// The record has grown with every version; the kernel fills what it knows and refuses less than
// 312 bytes. The idle time and the paging counts near its start have kept their places since NT 4.
struct PerformanceInformation {
    LARGE_INTEGER idleTime;
    BYTE io[36];
    ULONG availablePages, committedPages, commitLimit, peakCommitment, pageFaults, copyOnWrites;
    ULONG transitions; // faults resolved from the standby and modified lists
    ULONG cacheTransitions, demandZeroFaults;
    ULONG pageReads; // pages read from disk for faults
    BYTE rest[512 - 84];
};
static_assert(offsetof(PerformanceInformation, transitions) == 68);
static_assert(offsetof(PerformanceInformation, pageReads) == 80);
static_assert(sizeof(PerformanceInformation) == 512);

uint64_t Counter(const LARGE_INTEGER& value) { return static_cast<uint64_t>(value.QuadPart); }

constexpr char kCpuUsageValue[] = "KERNEL\\CPUUsage";

} // namespace

namespace {

// 0 when the system does not answer.
uint32_t AskProcessorCount(NtQuerySystemInformationFn query)
{
    BasicInformation basic{};
    return query(kSystemBasicInformation, &basic, sizeof(basic), nullptr) == 0
               ? static_cast<BYTE>(basic.numberOfProcessors)
               : 0;
}

} // namespace

void CCpuUsage::SampleNt(int32_t* load, PagingCounters* paging)
{
    static const auto query = win32::NtdllEntry<NtQuerySystemInformationFn>("NtQuerySystemInformation");
    if (!query)
        return;
    static ProcessorCount count;
    const uint32_t processors = count.Get([] { return AskProcessorCount(query); });
    TimeOfDayInformation timeOfDay{};
    PerformanceInformation performance{};
    if (processors == 0 || query(kSystemTimeOfDayInformation, &timeOfDay, sizeof(timeOfDay), nullptr) != 0 ||
        query(kSystemPerformanceInformation, &performance, sizeof(performance), nullptr) != 0)
        return;
    if (paging)
        *paging = PagingCountersOf(performance.pageReads, performance.transitions);
    const CpuSample now{Counter(performance.idleTime), Counter(timeOfDay.currentTime)};
    AdvanceCpuSample(now, processors, load);
}

LONG CCpuUsage::Sample9x(int32_t* load)
{
    {
        // Reading the start value starts the statistic.
        CRegistryKey start;
        const LONG rc = start.Open(HKEY_DYN_DATA, "PerfStats\\StartStat", KEY_ALL_ACCESS);
        if (rc != ERROR_SUCCESS)
            return rc;
        DWORD ignored = 0;
        start.QueryDword(kCpuUsageValue, ignored);
    }
    CRegistryKey data;
    LONG rc = data.Open(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_READ);
    if (rc != ERROR_SUCCESS)
        return rc;
    DWORD value = 0;
    rc = data.QueryDword(kCpuUsageValue, value);
    if (rc != ERROR_SUCCESS)
        return rc;
    *load = static_cast<int32_t>(value);
    return data.Close();
}

void CCpuUsage::Sample(int32_t* load, PagingCounters* paging)
{
    *load = 0;
    if (paging)
        *paging = {};
    if (IsWindows9x())
        Sample9x(load);
    else
        SampleNt(load, paging);
}
