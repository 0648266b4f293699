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
        {kSecond, kSecond, 2, 50}, {626, 1000, 1, 37}, {625, 1000, 1, 38},
    };
    for (const auto& c : cases) {
        int32_t load = -1;
        EXPECT_TRUE(LoadBetween({5 * kSecond, 1000 * kSecond}, {5 * kSecond + c.idleDelta, 1000 * kSecond + c.timeDelta},
                                c.processors, load));
        EXPECT_EQ(load, c.expected) << c.idleDelta << "/" << c.timeDelta << " on " << c.processors;
    }
    int32_t load = 42; // no time passed, clock set back, no processors: no value
    EXPECT_FALSE(LoadBetween({5, 1000}, {6, 1000}, 1, load));
    EXPECT_FALSE(LoadBetween({5, 1000}, {6, 999}, 1, load));
    EXPECT_FALSE(LoadBetween({5, 1000}, {6, 1001}, 0, load));
    EXPECT_EQ(load, 42);

    EXPECT_EQ(FreeMemoryPercent({174, 600, 0, 0}), 29) << "28.999... in floating point";
    EXPECT_EQ(FreeMemoryPercent({10, 0, 0, 0}), 0);
}

TEST(CpuUsage, FirstSampleOnlyRemembersLaterOnesMeasureAgainstTheLatest)
{
    PreviousCpuSample = {};
    int32_t load = 0;
    AdvanceCpuSample({10 * kSecond, 100 * kSecond}, 1, &load);
    EXPECT_EQ(load, 0) << "first sample: the caller's value stands";
    AdvanceCpuSample({10 * kSecond + kSecond / 4, 101 * kSecond}, 1, &load);
    EXPECT_EQ(load, 75);
    load = 7; // within one clock step: no value, and the sample still moves on
    AdvanceCpuSample({10 * kSecond + kSecond / 2, 101 * kSecond}, 1, &load);
    EXPECT_EQ(load, 7);
    AdvanceCpuSample({10 * kSecond + kSecond / 2 + kSecond / 10, 102 * kSecond}, 1, &load);
    EXPECT_EQ(load, 90);
    PreviousCpuSample = {};
}

} // namespace
