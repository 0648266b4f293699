// The service manager's table, words and start wait, without a service control manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/service/service_logic.h"

namespace {

TEST(ServiceLogic, StatusWordForEveryState)
{
    const struct {
        std::uint32_t state;
        int word;
    } cases[] = {{4, 0}, {1, 1}, {0, 1}, {8, 1}, {0xFFFFFFFFu, 1}, {3, 2}, {2, 3}, {5, 3}, {6, 4}, {7, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(StatusWordIndex(c.state), c.word) << "state " << c.state;
}

TEST(ServiceLogic, DescriptionWithNullIsNotShown)
{
    EXPECT_EQ(ShownDescription(nullptr), "");
    EXPECT_EQ(ShownDescription("Keeps time."), "Keeps time.");
    EXPECT_EQ(ShownDescription("Points at a nullable thing"), "");
    EXPECT_EQ(ShownDescription("null"), "");
    EXPECT_EQ(ShownDescription("NULL in capitals"), "NULL in capitals");
}

TEST(ServiceLogic, SleepIsATenthOfTheHintWithinOneToTenSeconds)
{
    const struct {
        std::uint32_t hint, sleep;
    } cases[] = {{0, 1000}, {5000, 1000}, {10009, 1000}, {20000, 2000}, {100000, 10000},
                 {100010, 10000}, {0xFFFFFFFFu, 10000}};
    for (const auto& c : cases)
        EXPECT_EQ(StartWaitSleepMs(c.hint), c.sleep) << "hint " << c.hint;
}

// A pretend service: each query returns the next scripted status; sleeping moves the clock.
struct FakeService {
    std::vector<ServiceProgress> script;
    size_t next = 0;
    std::uint32_t clock = 0x7FFFFF00u;
    std::vector<std::uint32_t> sleeps;
    bool queryFails = false;

    StartWaitHooks Hooks()
    {
        return {[this](ServiceProgress& s) {
                    if (queryFails || next >= script.size())
                        return false;
                    s = script[next++];
                    return true;
                },
                [this](std::uint32_t ms) {
                    sleeps.push_back(ms);
                    clock += ms;
                },
                [this] { return clock; }};
    }
};

constexpr std::uint32_t kPending = service_state::kStartPending;
constexpr std::uint32_t kRunning = service_state::kRunning;

TEST(ServiceStartWait, RunningServiceIsNotWaitedFor)
{
    FakeService fake;
    ServiceProgress status{kRunning, 0, 0};
    WaitForServiceStart(status, fake.Hooks());
    EXPECT_TRUE(fake.sleeps.empty());
}

TEST(ServiceStartWait, ZeroHintEndsAfterOneSleepWithoutProgress)
{
    FakeService fake;
    fake.script = {{kPending, 0, 0}, {kPending, 0, 0}};
    ServiceProgress status{kPending, 0, 0};
    WaitForServiceStart(status, fake.Hooks());
    EXPECT_EQ(fake.sleeps, std::vector<std::uint32_t>{1000});
}

TEST(ServiceStartWait, ProgressRestartsTheClockUntilRunning)
{
    FakeService fake;
    // Hint 3 s: without progress the wait would give up after the fourth second.
    fake.script = {{kPending, 1, 3000}, {kPending, 2, 3000}, {kPending, 2, 3000},
                   {kPending, 3, 3000}, {kRunning, 0, 0}};
    ServiceProgress status{kPending, 0, 3000};
    WaitForServiceStart(status, fake.Hooks());
    EXPECT_EQ(status.state, kRunning);
    EXPECT_EQ(fake.sleeps.size(), 5u);
}

TEST(ServiceStartWait, StalledCheckPointEndsOnceTheHintHasPassed)
{
    FakeService fake;
    fake.script.assign(20, ServiceProgress{kPending, 5, 2500});
    ServiceProgress status{kPending, 5, 2500};
    WaitForServiceStart(status, fake.Hooks());
    // 1000, 2000 ms are within the hint; 3000 ms is past it.
    EXPECT_EQ(fake.sleeps.size(), 3u);
    EXPECT_EQ(status.state, kPending);
}

TEST(ServiceStartWait, LongHintSleepsTenSecondsAndAFailedQueryEndsTheWait)
{
    FakeService fake;
    fake.script = {{kPending, 1, 200000}};
    ServiceProgress status{kPending, 0, 200000};
    WaitForServiceStart(status, fake.Hooks());
    EXPECT_EQ(fake.sleeps, (std::vector<std::uint32_t>{10000, 10000}));
    EXPECT_EQ(fake.next, 1u);
}

TEST(ServiceStartWait, TickWrapDoesNotEndTheWaitEarly)
{
    FakeService fake;
    fake.clock = 0xFFFFFF00u; // wraps during the first sleep
    fake.script = {{kPending, 0, 5000}, {kRunning, 0, 0}};
    ServiceProgress status{kPending, 0, 5000};
    WaitForServiceStart(status, fake.Hooks());
    EXPECT_EQ(status.state, kRunning);
    EXPECT_EQ(fake.sleeps.size(), 2u);
}

} // namespace
