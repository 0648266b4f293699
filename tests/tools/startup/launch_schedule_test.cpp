#include "tools/startup/launch_schedule.h"

#include <gtest/gtest.h>

namespace {

TEST(LaunchSchedule, OnceAtItsWholeMinuteAcrossTheWrapNeverWhenMissedOrNegative)
{
    EXPECT_EQ(ElapsedMinutes(1000, 60999), 0u);
    EXPECT_EQ(ElapsedMinutes(1000, 61000), 1u);
    EXPECT_EQ(ElapsedMinutes(0xFFFFFFFFu - 29999u, 30000u), 1u) << "across the wrap";
    CLaunchSchedule schedule;
    schedule.Load({});
    EXPECT_TRUE(schedule.Finished());
    schedule.Load({{"missed", "m", Delayed, 2}, {"negative", "n", Delayed, -1}, {"due", "due", Delayed, 1}});
    std::vector<std::string> launched;
    const auto launch = [&](const std::string& command) { launched.push_back(command); };
    for (std::uint32_t minute : {0u, 1u, 1u, 3u, 4u, 0xFFFFFFFFu})
        schedule.LaunchDue(minute, launch);
    EXPECT_EQ(launched, std::vector<std::string>{"due"}) << "two ticks in minute 1 start it once";
    EXPECT_FALSE(schedule.Finished());

    schedule.Load(std::vector<StartupItem>(150, {"x", "x", Delayed, 0}));
    EXPECT_EQ(schedule.LaunchDue(0, launch), kMaxStartupItems) << "the table holds 100 rows";
    EXPECT_TRUE(schedule.Finished());
}

} // namespace
