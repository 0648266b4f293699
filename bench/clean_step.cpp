// The clean step's commit, zero and release against the least any such step must do: commit,
// write one byte per page, release. Both are timed alternately in one run for two block sizes.
//
// Times are this thread's processor time (user and kernel, page faults included), not elapsed
// time: on a shared machine the elapsed time of one and the same multi-gigabyte step varied
// fifteen-fold within a run, with other programs' load, while its processor time stayed within
// a tenth.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "memory/memory_cleaner.h"
#include "memory/memory_status.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;
constexpr int kRounds = 7;

double ThreadSeconds()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

template <typename Work>
double Time(Work work)
{
    const double start = ThreadSeconds();
    work();
    return ThreadSeconds() - start;
}

bool TouchPages(uint64_t bytes, DWORD pageSize)
{
    auto* block = static_cast<volatile char*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_COMMIT, PAGE_READWRITE));
    if (!block)
        return false;
    for (uint64_t offset = 0; offset < bytes; offset += pageSize)
        block[offset] = 1;
    VirtualFree(const_cast<char*>(block), 0, MEM_RELEASE);
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Result {
    double clean = 0;
    double baseline = 0;
};

// One eighth of a pretended machine eight times the block: the clean step itself does the work.
bool Measure(uint64_t block, DWORD pageSize, Result& result)
{
    MemoryFigures machine = ReadMemoryFigures();
    machine.totalPhys = block * 8;
    SetMemoryStatusSource([machine] { return machine; });
    std::vector<double> clean, baseline;
    // Warm-up: the first step of a process costs more than the ones after it.
    CMemoryCleaner::CleanStep(1);
    bool ok = TouchPages(block, pageSize);
    for (int round = 0; ok && round < kRounds; ++round) {
        // Alternate which goes first so that neither always meets a cooler system.
        const auto step = [&] { clean.push_back(Time([] { CMemoryCleaner::CleanStep(1); })); };
        const auto touch = [&] { baseline.push_back(Time([&] { ok = TouchPages(block, pageSize) && ok; })); };
        if (round % 2 == 0) {
            step();
            touch();
        } else {
            touch();
            step();
        }
    }
    SetMemoryStatusSource(nullptr);
    if (!ok)
        return false;
    result.clean = Median(clean);
    result.baseline = Median(baseline);
    return true;
}

} // namespace

int main()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const uint64_t installed = ReadMemoryFigures().totalPhys;
    const uint64_t sizes[] = {512 * kMB, (installed / 8) & ~uint64_t{system.dwPageSize - 1}};
    std::printf("installed memory %llu MB, page size %lu, %d rounds, medians of thread processor time\n",
                static_cast<unsigned long long>(installed / kMB), system.dwPageSize, kRounds);
    double totalClean = 0, totalBaseline = 0;
    for (uint64_t size : sizes) {
        Result r;
        if (!Measure(size, system.dwPageSize, r)) {
            std::printf("%llu MB: the system could not commit the block\n",
                        static_cast<unsigned long long>(size / kMB));
            return 1;
        }
        std::printf("%6llu MB: clean step %8.1f ms, page-touch baseline %8.1f ms, ratio %.3f\n",
                    static_cast<unsigned long long>(size / kMB), r.clean * 1000, r.baseline * 1000,
                    r.clean / r.baseline);
        totalClean += r.clean;
        totalBaseline += r.baseline;
    }
    std::printf("clean step / page-touch baseline = %.3f\n", totalClean / totalBaseline);
    return 0;
}
