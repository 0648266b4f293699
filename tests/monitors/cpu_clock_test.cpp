#include "monitors/cpu_clock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CpuClock, FallbackOrder)
{
    const struct {
        const char* label;
        uint32_t registry, qpc, timer;
        uint32_t mhz;
        const char* calls;
    } rows[] = {
        {"registry value, nothing measured", 2394, 1000, 900, 2394, "R"},
        {"no registry value", 0, 2401, 900, 2401, "RQ"}, {"no registry value, no counter", 0, 0, 2399, 2399, "RQT"},
        {"nothing works", 0, 0, 0, 0, "RQT"},
    };
    for (const auto& row : rows) {
        std::string calls;
        const ClockMethods methods{
            [&] { calls += 'R'; return row.registry; },
            [&] { calls += 'Q'; return row.qpc; },
            [&] { calls += 'T'; return row.timer; },
        };
        EXPECT_EQ(PickClockMHz(methods), row.mhz) << row.label;
        EXPECT_EQ(calls, row.calls) << row.label;
    }
}

TEST(CpuClock, CounterSpanArithmetic)
{
    const struct {
        uint32_t tsc;
        int64_t counter, frequency;
        uint32_t mhz;
    } rows[] = {
        {720'000'000, 1'074'000, 3'579'545, 2399}, // 300 ms of the ACPI timer
        {720'000'000, 3'000'000, 10'000'000, 2400},
        {4'294'967'295u, 300'000, 1'000'000, 14316}, // the 32-bit count at its end
        {720'000'000, 0, 10'000'000, 0},             // an empty span
        {720'000'000, 5, 10'000'000, 0},             // shorter than a microsecond
        {720'000'000, 3'000'000, 0, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClockFromCounterSpan(row.tsc, row.counter, row.frequency), row.mhz)
            << row.tsc << " " << row.counter << " " << row.frequency;
    EXPECT_EQ(ClockFromTimerSpan(1'200'000'000u), 2400u);
    EXPECT_EQ(ClockFromTimerSpan(499'999u), 0u);
}

} // namespace
