#include "history/clean_summary.h"

#include <algorithm>

#include "history/clean_follow_up.h"

namespace {

// Fewer cleans than this say nothing about a habit.
constexpr size_t kFewestToJudge = 3;

template <typename T>
std::optional<T> Median(std::vector<T> values)
{
    if (values.empty())
        return std::nullopt;
    std::ranges::sort(values);
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : static_cast<T>((values[middle - 1] + values[middle]) / 2);
}

struct Figures {
    std::vector<int64_t> freed;
    std::vector<int32_t> shares;
    std::vector<double> factors;

    CleanGroupSummary Summary() const
    {
        return {freed.size(), Median(freed), Median(shares), Median(factors)};
    }
};

} // namespace

bool IsAutomatic(CleanTrigger trigger) { return trigger == CleanTrigger::Automatic || trigger == CleanTrigger::Standby; }

bool CameBack(const CleanRecord& record)
{
    const std::optional<int32_t> share = ShareBackPercent(record);
    return share && *share > 50;
}

CleanSummary SummariseCleans(const std::vector<CleanRecord>& records, const LocalTime& now, int days)
{
    const int64_t since = EpochSeconds(now) - int64_t{days} * 86400;
    Figures automatic, manual;
    for (const CleanRecord& record : records) {
        if (record.result != CleanResult::Done || !record.freedMB || EpochSeconds(record.startLocal) < since ||
            EpochSeconds(record.startLocal) > EpochSeconds(now))
            continue;
        Figures& group = IsAutomatic(record.trigger) ? automatic : manual;
        group.freed.push_back(*record.freedMB);
        if (const auto share = ShareBackPercent(record))
            group.shares.push_back(*share);
        if (const auto factor = DiskReadsFactor(record))
            group.factors.push_back(*factor);
    }
    CleanSummary summary{automatic.Summary(), manual.Summary()};
    summary.automaticNotHelping = automatic.shares.size() >= kFewestToJudge && automatic.factors.size() >= kFewestToJudge &&
                                  *summary.automatic.medianSharePercent > 50 && *summary.automatic.medianDiskFactor > 1.0;
    return summary;
}
