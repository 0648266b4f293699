#include "monitors/cpu_usage.h"

#include <gtest/gtest.h>

#include "monitors/system_load.h"

namespace {

constexpr uint64_t kSecond = 10'000'000; // 100-ns units

TEST(CpuUsage, LoadIsTheNonIdleShareAveragedOverProcessorsRoundedHalfUp)
{
    const struct {
        uint64_t idleDelta, timeDelta;
        uint32_t processors;
        int32_t expected;
    } cases[] = {
        {kSecond, kSecond, 1, 0},          // idle all the time
        {0, kSecond, 1, 100},              // never idle
        {kSecond, kSecond, 2, 50},         // one of two processors fully busy
        {2 * kSecond, kSecond, 2, 0},
        {626, 1000, 1, 37},                // 37.4 %
        {625, 1000, 1, 38},                // 37.5 %
        {4 * kSecond, 2 * kSecond, 4, 50},
        {0, 1, 1, 100},
    };
    for (const auto& c : cases) {
        const CpuSample previous{5 * kSecond, 1000 * kSecond};
        const CpuSample now{previous.idleTime + c.idleDelta, previous.systemTime + c.timeDelta};
        int32_t load = -1;
        EXPECT_TRUE(LoadBetween(previous, now, c.processors, load));
        EXPECT_EQ(load, c.expected) << c.idleDelta << "/" << c.timeDelta << " on " << c.processors;
    }
}

TEST(CpuUsage, NoMeasureWithoutElapsedTimeOrProcessors)
{
    const CpuSample previous{5 * kSecond, 1000 * kSecond};
    int32_t load = 42;
    EXPECT_FALSE(LoadBetween(previous, CpuSample{6 * kSecond, 1000 * kSecond}, 1, load));
    EXPECT_FALSE(LoadBetween(previous, CpuSample{6 * kSecond, 999 * kSecond}, 1, load));
    EXPECT_FALSE(LoadBetween(previous, CpuSample{6 * kSecond, 1001 * kSecond}, 0, load));
    EXPECT_EQ(load, 42);
}

TEST(CpuUsage, FirstSampleOnlyRemembersLaterOnesMeasureAgainstTheLatest)
{
    PreviousCpuSample = {};
    int32_t load = 0;
    AdvanceCpuSample({10 * kSecond, 100 * kSecond}, 1, &load);
    EXPECT_EQ(load, 0) << "first sample: the caller's value stands";
    EXPECT_EQ(PreviousCpuSample.systemTime, 100 * kSecond);

    AdvanceCpuSample({10 * kSecond + kSecond / 4, 101 * kSecond}, 1, &load);
    EXPECT_EQ(load, 75);
    // Within one clock step: no value, and the sample still moves on.
    load = 7;
    AdvanceCpuSample({10 * kSecond + kSecond / 2, 101 * kSecond}, 1, &load);
    EXPECT_EQ(load, 7);
    AdvanceCpuSample({10 * kSecond + kSecond / 2 + kSecond / 10, 102 * kSecond}, 1, &load);
    EXPECT_EQ(load, 90);
    PreviousCpuSample = {};
}

TEST(SystemLoad, FreeMemoryPercentIsTruncatedAndExact)
{
    const struct {
        int32_t avail, total, expected;
    } cases[] = {
        {96, 128, 75},
        {174, 600, 29}, // 28.999... in floating point
        {1, 192, 0},
        {192, 192, 100},
        {0, 256, 0},
        {10, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FreeMemoryPercent(MemoryStatus{c.avail, c.total, 0, 0}), c.expected)
            << c.avail << " of " << c.total;
}

} // namespace
