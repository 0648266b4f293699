#include "tools/startup/launch_schedule.h"

std::uint32_t ElapsedMinutes(std::uint32_t startTick, std::uint32_t nowTick)
{
    const std::uint32_t elapsedMs = nowTick - startTick;
    return elapsedMs / 1000u / 60u;
}

void CLaunchSchedule::Load(std::vector<StartupItem> items)
{
    items_ = std::move(items);
    if (static_cast<int>(items_.size()) > kMaxStartupItems)
        items_.resize(kMaxStartupItems);
    launched_ = 0;
    for (StartupItem& item : items_)
        item.launched = false;
}

int CLaunchSchedule::LaunchDue(std::uint32_t elapsed, const Launch& launch)
{
    int started = 0;
    for (StartupItem& item : items_) {
        // A negative delay never matches: it keeps the launcher waiting, as a missed minute does.
        if (item.launched || item.delay < 0 || static_cast<std::uint32_t>(item.delay) != elapsed)
            continue;
        launch(item.command);
        item.launched = true;
        ++launched_;
        ++started;
    }
    return started;
}
