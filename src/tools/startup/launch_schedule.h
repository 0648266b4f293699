#pragma once
// The delayed launcher's table and its arithmetic, apart from the timer and the clock.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

// Whole minutes between two tick counts in unsigned 32-bit arithmetic, so that the counter's
// wrap after about 49.7 days between them does no harm.
std::uint32_t ElapsedMinutes(std::uint32_t startTick, std::uint32_t nowTick);

class CLaunchSchedule {
public:
    using Launch = std::function<void(const std::string& command)>;

    void Load(std::vector<StartupItem> items);
    // Launches, in table order, every item not yet launched whose delay is exactly `elapsed`
    // minutes. An item counts as launched whether or not it started. Returns how many.
    int LaunchDue(std::uint32_t elapsed, const Launch& launch);
    bool Finished() const { return launched_ >= static_cast<int>(items_.size()); }
    int Count() const { return static_cast<int>(items_.size()); }
    int LaunchedCount() const { return launched_; }

private:
    std::vector<StartupItem> items_;
    int launched_ = 0;
};
