#include "monitors/cpu_tsc_clock.h"

#include "monitors/fake_cpu.h"

#include <gtest/gtest.h>

namespace {

TEST(CpuTscClock, ClockFromCyclesIsSignedArithmetic)
{
    const struct {
        uint64_t a, b;
        int32_t mhz;
    } rows[] = {
        {120'000'000, 0, 2400}, {120'000'000, 2'000'000, 2360},
        {49'999, 0, 0},                 // less than one cycle per microsecond
        {0, 100'000'000, -2000},        // an overhead larger than the wait goes negative
        {~uint64_t{0}, ~uint64_t{0}, 0}, // both measures faulted
        {~uint64_t{0}, 0, 0},            // all ones is -1, not a huge count
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClockFromCycles(row.a, row.b), row.mhz) << row.a << " " << row.b;
}

TEST(CpuTscClock, MeasuresAgainstTheCounter)
{
    const struct {
        int64_t frequency;
        int64_t step;
        uint64_t cyclesPerCount;
        int32_t expected;
    } rows[] = {
        {1'000'000, 10, 2400, 2400},    // 1 MHz counter, 2.4 GHz processor
        {3'579'545, 7, 125, 447},       // ACPI timer, 447 MHz
        {10'000'000, 3, 1, 10},
    };
    for (const auto& row : rows) {
        FakeTimebase time;
        time.frequency = row.frequency;
        time.step = row.step;
        time.cyclesPerCount = row.cyclesPerCount;
        const CpuProbe probe = time.Probe(nullptr);
        const int64_t before = time.counter;
        const int32_t mhz = MeasureTscClockMHz(probe);
        EXPECT_NEAR(mhz, row.expected, row.expected / 100 + 1) << row.frequency;
        // The busy wait lasts its 50 ms of counter time.
        EXPECT_GE(time.counter - before, row.frequency / 1000 * 50);
        EXPECT_LT(time.counter - before, row.frequency / 1000 * 50 + 10 * row.step);
    }
}

TEST(CpuTscClock, WithoutACounterOrTimeStampCounter)
{
    FakeTimebase noCounter;
    noCounter.hasCounter = false;
    // The wait returns at once, so both brackets are empty.
    EXPECT_EQ(MeasureTscClockMHz(noCounter.Probe(nullptr)), 0);

    FakeTimebase faulting;
    faulting.tscFaults = true;
    const CpuProbe probe = faulting.Probe(nullptr);
    EXPECT_EQ(MeasureBusyWaitCycles(probe), ~uint64_t{0});
    EXPECT_EQ(MeasureOverheadCycles(probe), ~uint64_t{0});
    EXPECT_EQ(MeasureTscClockMHz(probe), 0);
}

TEST(CpuTscClock, LoopEstimateByFamily)
{
    const struct {
        uint32_t family;
        double seconds;
        int32_t mhz;
    } rows[] = {
        {3, 1.0, 1096}, // 1,150,000,000 / 2^20
        {4, 1.0, 448}, {5, 1.0, 410},
        {5, 0.5, 820}, {4, 4.0, 112},
        {6, 1.0, -1}, {2, 1.0, -1},
        {5, 0.0, -1},    // nothing measured: no division by zero
        {5, -1.0, -1}, {3, 1e-12, -1}, // beyond a 32-bit figure
    };
    for (const auto& row : rows)
        EXPECT_EQ(LoopClockFromSeconds(row.family, row.seconds), row.mhz)
            << row.family << " " << row.seconds;
}

TEST(CpuTscClock, LoopEstimateTimesTheLoopWithTheCounter)
{
    FakeTimebase time;
    time.frequency = 1'000'000;
    time.step = 2'000'000; // the loop takes two seconds of counter time
    EXPECT_EQ(EstimateLoopClockMHz(time.Probe(nullptr), 4), 224);

    FakeTimebase none;
    none.hasCounter = false;
    EXPECT_EQ(EstimateLoopClockMHz(none.Probe(nullptr), 4), -1);
}

} // namespace
