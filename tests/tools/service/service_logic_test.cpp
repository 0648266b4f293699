// The service manager's table, words and start wait, without a service control manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/service/service_logic.h"

namespace {

TEST(ServiceLogic, WordsDescriptionAndSleep)
{
    const struct {
        std::uint32_t state;
        int word;
    } states[] = {{4, 0}, {1, 1}, {0, 1}, {8, 1}, {0xFFFFFFFFu, 1}, {3, 2}, {2, 3}, {5, 3}, {6, 4}, {7, 4}};
    for (const auto& c : states)
        EXPECT_EQ(StatusWordIndex(c.state), c.word) << "state " << c.state;
    const char* startTypes[] = {"Automatic", "Automatic", "Automatic", "HandWork", "Disabled", ""};
    for (std::uint32_t type = 0; type < 6; ++type)
        EXPECT_EQ(StartTypeWord(type), startTypes[type]) << "start type " << type;
    EXPECT_EQ(ShownDescription(nullptr), "");
    EXPECT_EQ(ShownDescription("NULL in capitals"), "NULL in capitals");
    const struct {
        std::uint32_t hint, sleep;
    } sleeps[] = {{0, 1000}, {10009, 1000}, {20000, 2000}, {100000, 10000}, {100010, 10000}, {0xFFFFFFFFu, 10000}};
    for (const auto& c : sleeps)
        EXPECT_EQ(StartWaitSleepMs(c.hint), c.sleep) << "hint " << c.hint;
}

constexpr std::uint32_t kPending = service_state::kStartPending;
constexpr std::uint32_t kRunning = service_state::kRunning;

// A pretend service: the status at the start, then what each look reads; sleeping moves the clock.
TEST(ServiceStartWait, SleepsUntilRunningStalledOrUnreadable)
{
    using Sleeps = std::vector<std::uint32_t>;
    const struct {
        const char* name;
        std::vector<ServiceProgress> script;
        std::uint32_t clock;
        Sleeps sleeps;
        std::uint32_t state;
    } cases[] = {
        {"running: no wait", {{kRunning, 0, 0}}, 0x7FFFFF00u, {}, kRunning},
        // Hint 3 s: without the check point moving the wait would end after the fourth second.
        {"progress restarts the clock",
         {{kPending, 0, 3000}, {kPending, 1, 3000}, {kPending, 2, 3000}, {kPending, 2, 3000}, {kPending, 2, 3000},
          {kPending, 3, 3000}, {kRunning, 0, 0}},
         0x7FFFFF00u, Sleeps(6, 1000), kRunning},
        {"stalled past the hint", std::vector<ServiceProgress>(20, {kPending, 5, 2500}), 0x7FFFFF00u, Sleeps(3, 1000),
         kPending},
        {"long hint, then a failed query", {{kPending, 0, 200000}, {kPending, 1, 200000}}, 0x7FFFFF00u,
         {10000, 10000}, kPending},
        {"hint runs out after the tick wrapped", std::vector<ServiceProgress>(6, {kPending, 0, 1500}), 0xFFFFFF00u,
         Sleeps(2, 1000), kPending},
        {"hint reaching past the wrap is waited in full",
         {{kPending, 0, 3000}, {kPending, 0, 3000}, {kPending, 0, 3000}, {kRunning, 0, 0}}, 0xFFFFFC00u,
         Sleeps(3, 1000), kRunning},
    };
    for (const auto& c : cases) {
        size_t next = 1;
        std::uint32_t clock = c.clock;
        Sleeps sleeps;
        const StartWaitHooks hooks{[&](ServiceProgress& s) {
                                       if (next == c.script.size())
                                           return false;
                                       s = c.script[next++];
                                       return true;
                                   },
                                   [&](std::uint32_t ms) {
                                       sleeps.push_back(ms);
                                       clock += ms;
                                   },
                                   [&] { return clock; }};
        ServiceProgress status = c.script[0];
        WaitForServiceStart(status, hooks);
        EXPECT_EQ(sleeps, c.sleeps) << c.name;
        EXPECT_EQ(status.state, c.state) << c.name;
    }
}

} // namespace
