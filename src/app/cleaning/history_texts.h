#pragma once
// What the History window shows of a record, in the interface language: its list row and the
// chart's points. Free of any window, so tested natively.
#include <string>
#include <vector>

#include "controls/freed_chart_model.h"
#include "history/clean_record.h"
#include "history/clean_summary.h"
#include "memory/cleaning_methods.h"

// Days back the chart shows.
constexpr int kHistoryChartDays = 7;

struct HistoryRow {
    std::string time, trigger, freed, duration, result, after;
};
HistoryRow HistoryRowOf(const CleanRecord& record, const TextLookup& text);

// "1.7 GB in use again within a minute; disk reads ×3.4 in that minute", led by what was freed
// when asked; empty when the minute after was not measured.
std::string FollowUpWords(const CleanRecord& record, const TextLookup& text, bool withFreed);
// "2.1 GB" or "640 MB".
std::string SizeText(uint64_t bytes, const TextLookup& text);

// The summary's lines: automatic cleans, manual ones, and advice when the automatic ones do not
// help, naming the settings that would stop them.
std::vector<std::string> SummaryLines(const CleanSummary& summary, const TextLookup& text);

// The cleans that ran, placed before `now` (local time); skipped ones draw nothing.
std::vector<controls::FreedPoint> FreedPoints(const std::vector<CleanRecord>& records, const LocalTime& now);
