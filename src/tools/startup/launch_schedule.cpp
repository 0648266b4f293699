#include "tools/startup/launch_schedule.h"

std::uint32_t ElapsedMinutes(std::uint32_t startTick, std::uint32_t nowTick)
{
    const std::uint32_t elapsedMs = nowTick - startTick;
    return elapsedMs / 1000u / 60u;
}

void CLaunchSchedule::Load(std::vector<StartupItem> items, std::uint32_t elapsed)
{
    items_ = std::move(items);
    if (static_cast<int>(items_.size()) > kMaxStartupItems)
        items_.resize(kMaxStartupItems);
    launched_ = 0;
    waiting_.assign(items_.size(), false);
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i].launched = false;
        waiting_[i] = items_[i].delay >= 0 && static_cast<std::uint32_t>(items_[i].delay) < elapsed;
    }
}

int CLaunchSchedule::LaunchDue(std::uint32_t elapsed, const Launch& launch)
{
    int started = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        StartupItem& item = items_[i];
        // A negative delay never matches: it keeps the launcher waiting, as a missed minute does.
        const bool due = waiting_[i] || (item.delay >= 0 && static_cast<std::uint32_t>(item.delay) == elapsed);
        if (item.launched || !due)
            continue;
        waiting_[i] = !launch(item);
        if (waiting_[i])
            continue;
        item.launched = true;
        ++launched_;
        ++started;
    }
    return started;
}
