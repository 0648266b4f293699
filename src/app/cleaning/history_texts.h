#pragma once
// What the History window shows of a record, in the interface language: its list row and the
// chart's points. Free of any window, so tested natively.
#include <string>
#include <vector>

#include "controls/freed_chart_model.h"
#include "history/clean_record.h"
#include "memory/cleaning_methods.h"

// Days back the chart shows.
constexpr int kHistoryChartDays = 7;

struct HistoryRow {
    std::string time, trigger, freed, duration, result;
};
HistoryRow HistoryRowOf(const CleanRecord& record, const TextLookup& text);

// The cleans that ran, placed before `now` (local time); skipped ones draw nothing.
std::vector<controls::FreedPoint> FreedPoints(const std::vector<CleanRecord>& records, const LocalTime& now);
