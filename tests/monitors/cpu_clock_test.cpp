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
    EXPECT_EQ(ClockFromCycles(120'000'000, 2'000'000), 2360);
    EXPECT_EQ(ClockFromCycles(0, 100'000'000), -2000);
    EXPECT_EQ(ClockFromCycles(~uint64_t{0}, 0), 0);
}

TEST(CpuClock, TimeStampCounterAgainstTheHighResolutionCounter)
{
    FakeTimebase acpi{.frequency = 3'579'545, .step = 7, .cyclesPerCount = 125}; // 447 MHz
    EXPECT_NEAR(MeasureTscClockMHz(acpi.Probe()), 447, 5);
    EXPECT_GE(acpi.counter, 3'579 * 50) << "a 50 ms wait";
    EXPECT_LT(acpi.counter, 3'579 * 50 + 10 * acpi.step) << "and an overhead pass that leaves at once";

    FakeTimebase none{.hasCounter = false};
    EXPECT_EQ(MeasureTscClockMHz(none.Probe()), 0);
    FakeTimebase faulting{.tscFaults = true};
    EXPECT_EQ(MeasureBusyWaitCycles(faulting.Probe()), ~uint64_t{0});
    EXPECT_EQ(MeasureTscClockMHz(faulting.Probe()), 0);
}

} // namespace
