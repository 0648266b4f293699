#include "monitors/cpu_tsc_clock.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kWaitMs = 50;
constexpr uint64_t kAllOnes = ~uint64_t{0};
constexpr int kLoopIterations = 10'000'000;

struct WaitSetUp {
    int64_t target = 0;
    int64_t start = 0;
};

bool SetUpWait(const CpuProbe& probe, WaitSetUp& w)
{
    int64_t frequency = 0;
    if (!probe.counterFrequency || !probe.counterFrequency(frequency))
        return false;
    w.target = frequency / 1000 * kWaitMs;
    return probe.counterNow(w.start);
}

void BusyWait(const CpuProbe& probe)
{
    WaitSetUp w;
    if (!SetUpWait(probe, w))
        return;
    int64_t now = w.start;
    while (now - w.start < w.target)
        if (!probe.counterNow(now))
            return;
}

// Leaves at once unless the first read lands exactly on the target, as the busy wait's exit
// test would: what remains is the cost of the set-up and one read.
void OverheadPass(const CpuProbe& probe)
{
    WaitSetUp w;
    if (!SetUpWait(probe, w))
        return;
    int64_t now = 0;
    do {
        if (!probe.counterNow(now))
            return;
    } while (now - w.start == w.target);
}

uint64_t Bracket(const CpuProbe& probe, void (*pass)(const CpuProbe&))
{
    uint64_t before = 0;
    uint64_t after = 0;
    if (!probe.readTsc(before))
        return kAllOnes;
    pass(probe);
    if (!probe.readTsc(after))
        return kAllOnes;
    return after - before;
}

} // namespace

uint64_t MeasureBusyWaitCycles(const CpuProbe& probe)
{
    return Bracket(probe, BusyWait);
}

uint64_t MeasureOverheadCycles(const CpuProbe& probe)
{
    return Bracket(probe, OverheadPass);
}

int32_t ClockFromCycles(uint64_t busyWaitCycles, uint64_t overheadCycles)
{
    // Signed 64-bit arithmetic; the difference is taken unsigned so that an all-ones count
    // wraps instead of overflowing.
    const int64_t cycles = static_cast<int64_t>(busyWaitCycles - overheadCycles);
    const int64_t perMs = cycles / kWaitMs;
    return static_cast<int32_t>(perMs / 1000);
}

int32_t MeasureTscClockMHz(const CpuProbe& probe)
{
    const uint64_t a = MeasureBusyWaitCycles(probe);
    const uint64_t b = MeasureOverheadCycles(probe);
    return ClockFromCycles(a, b);
}

int32_t LoopClockFromSeconds(uint32_t family, double seconds)
{
    double cycles = 0;
    switch (family) {
    case 3: cycles = 1'150'000'000.0; break;
    case 4: cycles = 470'000'000.0; break;
    case 5: cycles = 430'000'000.0; break;
    default: return -1;
    }
    // A loop that took no measurable time gives no estimate rather than a division by zero.
    if (!(seconds > 0))
        return -1;
    const double mhz = cycles / seconds / 1048576.0;
    if (!std::isfinite(mhz) || mhz >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return -1;
    return static_cast<int32_t>(mhz);
}

int32_t EstimateLoopClockMHz(const CpuProbe& probe, uint32_t family)
{
    if (family < 3 || family > 5)
        return -1;
    int64_t start = 0;
    int64_t end = 0;
    int64_t frequency = 0;
    if (!probe.counterNow || !probe.counterNow(start))
        return -1;
    volatile uint32_t operand = 0x80000000u;
    volatile int sink = 0;
    for (int i = 0; i < kLoopIterations; ++i)
        sink = std::countr_zero(static_cast<uint32_t>(operand));
    (void)sink;
    if (!probe.counterNow(end) || !probe.counterFrequency(frequency) || frequency <= 0)
        return -1;
    return LoopClockFromSeconds(family, static_cast<double>(end - start) / frequency);
}
