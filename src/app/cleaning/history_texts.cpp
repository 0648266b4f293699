#include "app/cleaning/history_texts.h"

#include <cstdio>
#include <utility>

#include "app/cleaning/cleaning_rules.h"

namespace {

constexpr std::pair<CleanTrigger, const char*> kTriggerKeys[] = {
    {CleanTrigger::Button, "HistoryTriggerButton"},       {CleanTrigger::Organise, "HistoryTriggerOrganise"},
    {CleanTrigger::Tray, "HistoryTriggerTray"},           {CleanTrigger::Automatic, "HistoryTriggerAutomatic"},
    {CleanTrigger::Standby, "HistoryTriggerStandby"},     {CleanTrigger::Console, "HistoryTriggerConsole"},
    {CleanTrigger::Hotkey, "HistoryTriggerHotkey"},
};
constexpr std::pair<CleanResult, const char*> kResultKeys[] = {
    {CleanResult::Done, "HistoryResultDone"},       {CleanResult::Refused, "HistoryResultRefused"},
    {CleanResult::Stopped, "HistoryResultStopped"}, {CleanResult::Skipped, "HistoryResultSkipped"},
};

template <typename Table, typename Value>
const char* KeyOf(const Table& table, const Value& value)
{
    for (const auto& [known, key] : table)
        if (known == value)
            return key;
    return nullptr;
}

} // namespace

HistoryRow HistoryRowOf(const CleanRecord& record, const TextLookup& text)
{
    HistoryRow row;
    row.time = LocalTimeText(record.startLocal);
    row.trigger = text(KeyOf(kTriggerKeys, record.trigger));
    row.result = text(KeyOf(kResultKeys, record.result));
    if (record.result == CleanResult::Skipped) {
        // A reason without words of its own shows as its stored word.
        const char* reasonKey = HoldReasonHistoryKey(record.reason);
        row.result = FillPlaceholders(row.result, {reasonKey ? text(reasonKey) : record.reason});
        return row;
    }
    if (record.freedMB) {
        const std::string sign = *record.freedMB > 0 ? "+" : "";
        row.freed = FillPlaceholders(text("HistoryMegabytes"), {sign + std::to_string(*record.freedMB)});
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", record.durationMs / 1000.0);
    row.duration = FillPlaceholders(text("HistorySeconds"), {seconds});
    return row;
}

std::vector<controls::FreedPoint> FreedPoints(const std::vector<CleanRecord>& records, const LocalTime& now)
{
    std::vector<controls::FreedPoint> points;
    for (const CleanRecord& record : records)
        if (record.result != CleanResult::Skipped && record.freedMB)
            points.push_back({EpochSeconds(now) - EpochSeconds(record.startLocal), *record.freedMB});
    return points;
}
