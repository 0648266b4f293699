#include "monitors/cpu_clock.h"

#include "monitors/cpu_tsc_clock.h"
#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CpuClock, MethodsAreTriedInOrderUntilOneGivesAValue)
{
    const struct {
        uint32_t registry, qpc, timer, mhz;
        const char* calls;
    } rows[] = {
        {2394, 1000, 900, 2394, "R"}, {0, 2401, 900, 2401, "RQ"}, {0, 0, 2399, 2399, "RQT"}, {0, 0, 0, 0, "RQT"},
    };
    for (const auto& row : rows) {
        std::string calls;
        const ClockMethods methods{
            [&] { calls += 'R'; return row.registry; },
            [&] { calls += 'Q'; return row.qpc; },
            [&] { calls += 'T'; return row.timer; },
        };
        EXPECT_EQ(PickClockMHz(methods), row.mhz) << row.calls;
        EXPECT_EQ(calls, row.calls);
    }
    EXPECT_EQ(FormatClockText(0), "Unknown");
}

TEST(CpuClock, SpanArithmetic)
{
    const struct {
        uint32_t tsc;
        int64_t counter, frequency;
        uint32_t mhz;
    } rows[] = {
        {720'000'000, 1'074'000, 3'579'545, 2399},   // 300 ms of the ACPI timer
        {4'294'967'295u, 300'000, 1'000'000, 14316}, // the 32-bit count at its end
        {720'000'000, 0, 10'000'000, 0},
        {720'000'000, 5, 10'000'000, 0}, // shorter than a microsecond
        {720'000'000, 3'000'000, 0, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClockFromCounterSpan(row.tsc, row.counter, row.frequency), row.mhz) << row.tsc << " " << row.counter;
    EXPECT_EQ(ClockFromTimerSpan(1'200'000'000u), 2400u);

    // Busy-wait cycles less overhead cycles, signed; all ones (a faulting RDTSC) gives nothing.
    const struct {
        uint64_t busy, overhead;
        int32_t mhz;
    } cycles[] = {{120'000'000, 2'000'000, 2360}, {0, 100'000'000, -2000}, {~uint64_t{0}, 0, 0}};
    for (const auto& row : cycles)
        EXPECT_EQ(ClockFromCycles(row.busy, row.overhead), row.mhz) << row.busy << " " << row.overhead;

    const struct {
        uint32_t family;
        double seconds;
        int32_t mhz;
    } loops[] = {{3, 1.0, 1096}, {4, 1.0, 448}, {5, 0.5, 820}, {6, 1.0, -1}, {2, 1.0, -1}, {5, 0.0, -1}, {3, 1e-12, -1}};
    for (const auto& row : loops)
        EXPECT_EQ(LoopClockFromSeconds(row.family, row.seconds), row.mhz) << row.family << " " << row.seconds;
}

TEST(CpuClock, TimeStampCounterAgainstTheHighResolutionCounter)
{
    FakeTimebase acpi; // 3.579545 MHz, 7 ticks a read, 125 cycles a tick: 447 MHz
    acpi.frequency = 3'579'545;
    acpi.step = 7;
    acpi.cyclesPerCount = 125;
    EXPECT_NEAR(MeasureTscClockMHz(acpi.Probe()), 447, 5);
    EXPECT_GE(acpi.counter, 3'579 * 50) << "a 50 ms wait";
    EXPECT_LT(acpi.counter, 3'579 * 50 + 10 * acpi.step) << "and an overhead pass that leaves at once";

    FakeTimebase slow; // the bit-scan loop of a 486 took 2 s
    slow.step = 2'000'000;
    EXPECT_EQ(EstimateLoopClockMHz(slow.Probe(), 4), 224);

    FakeTimebase none;
    none.hasCounter = false;
    EXPECT_EQ(MeasureTscClockMHz(none.Probe()), 0);
    EXPECT_EQ(EstimateLoopClockMHz(none.Probe(), 4), -1);

    FakeTimebase faulting;
    faulting.tscFaults = true;
    EXPECT_EQ(MeasureBusyWaitCycles(faulting.Probe()), ~uint64_t{0});
    EXPECT_EQ(MeasureTscClockMHz(faulting.Probe()), 0);
}

} // namespace
