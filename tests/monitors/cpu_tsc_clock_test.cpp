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
        {49'999, 0, 0}, {0, 100'000'000, -2000}, {~uint64_t{0}, ~uint64_t{0}, 0}, {~uint64_t{0}, 0, 0},
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
        {1'000'000, 10, 2400, 2400}, {3'579'545, 7, 125, 447},
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
        EXPECT_GE(time.counter - before, row.frequency / 1000 * 50);
        EXPECT_LT(time.counter - before, row.frequency / 1000 * 50 + 10 * row.step);
    }
}

TEST(CpuTscClock, WithoutACounterOrTimeStampCounter)
{
    FakeTimebase noCounter;
    noCounter.hasCounter = false;
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
        {3, 1.0, 1096}, {4, 1.0, 448}, {5, 0.5, 820}, {6, 1.0, -1}, {2, 1.0, -1},
        {5, 0.0, -1}, {5, -1.0, -1}, {3, 1e-12, -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LoopClockFromSeconds(row.family, row.seconds), row.mhz)
            << row.family << " " << row.seconds;
}

TEST(CpuTscClock, LoopEstimateTimesTheLoopWithTheCounter)
{
    FakeTimebase time;
    time.frequency = 1'000'000;
    time.step = 2'000'000;
    EXPECT_EQ(EstimateLoopClockMHz(time.Probe(nullptr), 4), 224);

    FakeTimebase none;
    none.hasCounter = false;
    EXPECT_EQ(EstimateLoopClockMHz(none.Probe(nullptr), 4), -1);
}

} // namespace
