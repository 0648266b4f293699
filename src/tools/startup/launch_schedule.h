#pragma once
// The delayed launcher's table and its arithmetic, apart from the timer and the clock.
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/startup/startup_item.h"

// Whole minutes between two tick counts in unsigned 32-bit arithmetic, so that the counter's
// wrap after about 49.7 days between them does no harm.
std::uint32_t ElapsedMinutes(std::uint32_t startTick, std::uint32_t nowTick);

class CLaunchSchedule {
public:
    // False when the item could not be started yet (no user's shell at logon) and is to be tried
    // again on the next tick; a start that failed for any other reason is done with.
    using Launch = std::function<bool(const StartupItem& item)>;

    // `elapsed`: the minutes since the start when the list could be read; items due before then
    // start on the next call.
    void Load(std::vector<StartupItem> items, std::uint32_t elapsed = 0);
    // Launches, in table order, every item not yet launched whose delay is exactly `elapsed`
    // minutes or that is waiting to be tried again. Returns how many were launched.
    int LaunchDue(std::uint32_t elapsed, const Launch& launch);
    bool Finished() const { return launched_ >= static_cast<int>(items_.size()); }
    int Count() const { return static_cast<int>(items_.size()); }
    int LaunchedCount() const { return launched_; }

private:
    std::vector<StartupItem> items_;
    std::vector<bool> waiting_;
    int launched_ = 0;
};
