#include "app/cleaning/history_texts.h"

#include <cstdio>
#include <utility>

#include "app/cleaning/cleaning_rules.h"
#include "common/spoken_text.h"
#include "memory/memory_status.h"
#include "history/clean_follow_up.h"

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

constexpr std::pair<FollowUpEnd, const char*> kCutKeys[] = {
    {FollowUpEnd::NextClean, "FollowUpEndNextClean"}, {FollowUpEnd::Exit, "FollowUpEndExit"},
    {FollowUpEnd::Gap, "FollowUpEndGap"},
};

constexpr uint64_t kMB = 1024 * 1024;

std::string OneDecimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// "Automatic cleans: 12; median freed 1.2 GB; ..."; figures nobody measured say so.
std::string GroupLine(const char* key, const CleanGroupSummary& group, const TextLookup& text)
{
    const std::string none = text("SummaryNotMeasured");
    const auto mb = group.medianFreedMB;
    return FillPlaceholders(
        text(key), {std::to_string(group.cleans),
                    !mb ? none : *mb < 0 ? "-" + SizeText(static_cast<uint64_t>(-*mb) * kMB, text) : SizeText(static_cast<uint64_t>(*mb) * kMB, text),
                    group.medianSharePercent ? std::to_string(*group.medianSharePercent) + " %" : none,
                    group.medianDiskFactor ? "×" + OneDecimal(*group.medianDiskFactor) : none});
}

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
    row.after = FollowUpWords(record, text, false);
    return row;
}

std::string SizeText(uint64_t bytes, const TextLookup& text)
{
    if (bytes >= 1024 * kMB)
        return FillPlaceholders(text("HistoryGigabytes"), {OneDecimal(static_cast<double>(bytes) / (1024 * kMB))});
    return FillPlaceholders(text("HistoryMegabytes"), {std::to_string(NearestMB(bytes))});
}

std::string FollowUpWords(const CleanRecord& record, const TextLookup& text, bool withFreed)
{
    if (!record.followUpEnd)
        return {};
    std::vector<std::string> parts;
    const std::optional<uint64_t> freed = FreedBytes(record), back = BackBytes(record);
    if (withFreed)
        parts.push_back(freed ? FillPlaceholders(text("FollowUpFreed"), {SizeText(*freed, text)}) : text("FollowUpNothingFreed"));
    if (back) {
        if (const char* cut = KeyOf(kCutKeys, *record.followUpEnd))
            parts.push_back(FillPlaceholders(text("FollowUpBackCut"), {SizeText(*back, text),
                                                                      std::to_string(record.followUpMs / 1000), text(cut)}));
        else
            parts.push_back(FillPlaceholders(text("FollowUpBack"), {SizeText(*back, text)}));
    }
    if (const std::optional<double> factor = DiskReadsFactor(record))
        parts.push_back(FillPlaceholders(text("FollowUpDiskFactor"), {OneDecimal(*factor)}));
    else if (record.diskReadsBefore == 0u && record.diskReadsAfter > 0u)
        parts.push_back(FillPlaceholders(text("FollowUpDiskPages"), {std::to_string(*record.diskReadsAfter)}));
    std::string words;
    for (const std::string& part : parts)
        words += (words.empty() ? "" : "; ") + part;
    return words;
}

std::vector<std::string> SummaryLines(const CleanSummary& summary, const TextLookup& text)
{
    if (summary.automatic.cleans + summary.manual.cleans == 0)
        return {FillPlaceholders(text("SummaryNone"), {std::to_string(kHistoryChartDays)})};
    std::vector<std::string> lines = {FillPlaceholders(text("SummaryTitle"), {std::to_string(kHistoryChartDays)}),
                                      GroupLine("SummaryAutomatic", summary.automatic, text),
                                      GroupLine("SummaryManual", summary.manual, text)};
    if (summary.automaticNotHelping)
        lines.push_back(FillPlaceholders(text("SummaryNotHelping"),
                                         {WithoutMnemonic(text("IDC_CHECKAUTODEFRAG")), WithoutMnemonic(text("IDC_PP_UNHELPFUL")),
                                          text("IDD_CLEANING_METHODS"), text("IDD_PROGRAMS_PAUSES")}));
    return lines;
}

std::vector<controls::FreedPoint> FreedPoints(const std::vector<CleanRecord>& records, const LocalTime& now)
{
    std::vector<controls::FreedPoint> points;
    for (const CleanRecord& record : records)
        if (record.result != CleanResult::Skipped && record.freedMB)
            points.push_back({EpochSeconds(now) - EpochSeconds(record.startLocal), *record.freedMB});
    return points;
}
