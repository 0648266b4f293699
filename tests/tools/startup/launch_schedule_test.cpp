#include "tools/startup/launch_schedule.h"

#include <gtest/gtest.h>

namespace {

StartupItem Delayed(const std::string& command, int delay)
{
    return {command, command, ::Delayed, delay};
}

TEST(ElapsedMinutes, WholeMinutesAcrossTheWrap)
{
    struct Case {
        std::uint32_t start, now, minutes;
    };
    const Case cases[] = {
        {1000, 60999, 0},
        {1000, 61000, 1},
        {0xFFFFFFFFu - 29999u, 30000u, 1},
        {5u, 4u, 0xFFFFFFFFu / 60000u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElapsedMinutes(c.start, c.now), c.minutes) << c.start << " -> " << c.now;
}

TEST(LaunchSchedule, OnceAtItsMinuteNeverWhenMissedOrNegative)
{
    CLaunchSchedule schedule;
    schedule.Load({});
    EXPECT_TRUE(schedule.Finished());
    schedule.Load({Delayed("missed", 2), Delayed("negative", -1), Delayed("due", 1)});
    std::vector<std::string> launched;
    const auto launch = [&](const std::string& command) { launched.push_back(command); };
    for (std::uint32_t minute : {0u, 1u, 1u, 3u, 4u, 0xFFFFFFFFu})
        schedule.LaunchDue(minute, launch);
    EXPECT_EQ(launched, std::vector<std::string>{"due"}) << "two ticks in minute 1 start it once";
    EXPECT_FALSE(schedule.Finished());

    schedule.Load(std::vector<StartupItem>(150, Delayed("x", 0)));
    EXPECT_EQ(schedule.LaunchDue(0, launch), kMaxStartupItems) << "the table holds 100 rows";
    EXPECT_TRUE(schedule.Finished());
}

} // namespace
