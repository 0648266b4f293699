// What the classic clean-up run costs: the bytes its steps write and the time it takes, per GB of
// installed memory. Measured on a pretended machine small enough to run here, then scaled to this
// machine's installed memory (both grow linearly with it).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "memory/memory_cleaner.h"
#include "memory/memory_status.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;
constexpr double kGB = 1024.0 * 1024 * 1024;
constexpr uint64_t kPretendedInstalled = 512 * kMB;
constexpr int kRounds = 3;

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The run's steps as the worker takes them: 0 .. n-1 eighths, then n eighths.
uint64_t BytesWritten(int stepCount, uint64_t installed)
{
    uint64_t bytes = 0;
    for (int i = 0; i < stepCount; ++i)
        bytes += CMemoryCleaner::BlockBytes(i, installed);
    return bytes + CMemoryCleaner::BlockBytes(stepCount, installed);
}

double RunSeconds(int stepCount)
{
    const double start = Now();
    for (int i = 0; i < stepCount; ++i)
        CMemoryCleaner::CleanStep(i);
    CMemoryCleaner::CleanStep(stepCount); // the clipboard is the window's, left alone here
    return Now() - start;
}

} // namespace

int main()
{
    const MemoryFigures real = ReadMemoryFigures();
    MemoryFigures pretended = real;
    pretended.totalPhys = kPretendedInstalled;
    SetMemoryStatusSource([pretended] { return pretended; });
    CMemoryCleaner::CleanStep(1); // warm-up

    std::printf("classic clean-up run on a pretended %llu MB machine, %d rounds, medians; this machine has %llu MB\n",
                static_cast<unsigned long long>(kPretendedInstalled / kMB), kRounds,
                static_cast<unsigned long long>(real.totalPhys / kMB));
    for (int stepCount : {6, 4}) { // below 75 % free, and at or above it
        std::vector<double> seconds;
        for (int round = 0; round < kRounds; ++round)
            seconds.push_back(RunSeconds(stepCount));
        std::sort(seconds.begin(), seconds.end());
        const double median = seconds[seconds.size() / 2];
        const uint64_t written = BytesWritten(stepCount, kPretendedInstalled);
        const double perInstalledGB = median / (static_cast<double>(kPretendedInstalled) / kGB);
        std::printf("%d steps: %llu MB written = %.3f x installed, %.3f s = %.3f s per GB installed; "
                    "here: %.1f GB written, about %.1f s\n",
                    stepCount, static_cast<unsigned long long>(written / kMB),
                    static_cast<double>(written) / static_cast<double>(kPretendedInstalled), median, perInstalledGB,
                    static_cast<double>(BytesWritten(stepCount, real.totalPhys)) / kGB,
                    perInstalledGB * static_cast<double>(real.totalPhys) / kGB);
    }
    SetMemoryStatusSource(nullptr);
    return 0;
}
