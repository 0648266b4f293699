#include "monitors/cpu_usage.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kSecond = 10'000'000; // 100-ns units

// The average non-idle share of all processors, rounded half up, against the latest sample. The
// first sample, a clock that did not move or went back, or no processor count give no value.
TEST(CpuUsage, LoadAgainstTheLatestSample)
{
    const struct {
        uint64_t idleTime, systemTime;
        uint32_t processors;
        int32_t load;
    } samples[] = {
        {10 * kSecond, 100 * kSecond, 1, 7},          {10 * kSecond + kSecond / 4, 101 * kSecond, 1, 75},
        {10 * kSecond + kSecond / 2, 101 * kSecond, 1, 75}, {11 * kSecond, 103 * kSecond, 2, 88},
        {11 * kSecond + 626, 103 * kSecond + 1000, 1, 37},  {11 * kSecond + 1251, 103 * kSecond + 2000, 1, 38},
        {11 * kSecond + 1252, 103 * kSecond + 1999, 1, 38}, {11 * kSecond + 1253, 104 * kSecond, 0, 38},
    };
    PreviousCpuSample = {};
    int32_t load = 7;
    for (const auto& s : samples) {
        AdvanceCpuSample({s.idleTime, s.systemTime}, s.processors, &load);
        EXPECT_EQ(load, s.load) << s.idleTime << " " << s.systemTime << " on " << s.processors;
    }
    PreviousCpuSample = {};
}

// A count the system did not give is asked for again on the next sample; a known one never.
TEST(CpuUsage, ProcessorCountIsAskedUntilKnown)
{
    ProcessorCount count;
    const uint32_t answers[] = {0, 0, 4, 8};
    int asked = 0;
    const auto ask = [&] { return answers[asked++]; };
    EXPECT_EQ(count.Get(ask), 0u);
    EXPECT_EQ(count.Get(ask), 0u);
    EXPECT_EQ(count.Get(ask), 4u);
    EXPECT_EQ(count.Get(ask), 4u);
    EXPECT_EQ(asked, 3);
}

} // namespace
