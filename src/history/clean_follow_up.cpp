#include "history/clean_follow_up.h"

#include <algorithm>
#include <utility>

namespace {

// Shorter than this, a rate would be a guess from one or two ticks.
constexpr uint32_t kShortestRateSpanMs = 10 * 1000;
// The display tick comes twice a second; a longer silence is the machine asleep or the window
// stalled, and what came after it is not the minute after the clean.
constexpr uint32_t kLongestTickGapMs = 10 * 1000;

std::optional<uint32_t> PerMinute(const std::optional<uint32_t>& from, const std::optional<uint32_t>& to,
                                  uint32_t spanMs)
{
    if (!from || !to || spanMs < kShortestRateSpanMs)
        return std::nullopt;
    const uint64_t counted = static_cast<uint32_t>(*to - *from); // one wrap of the 32-bit count
    return static_cast<uint32_t>(std::min<uint64_t>(UINT32_MAX, (counted * 60000 + spanMs / 2) / spanMs));
}

} // namespace

PagingRates RatesBetween(const PagingCounters& from, const PagingCounters& to, uint32_t spanMs)
{
    return {PerMinute(from.diskPageReads, to.diskPageReads, spanMs), PerMinute(from.softFaults, to.softFaults, spanMs)};
}

void PagingMinutes::Add(uint32_t nowMs, const PagingCounters& counters)
{
    samples_[next_] = {nowMs, counters};
    next_ = (next_ + 1) % samples_.size();
    count_ = std::min(count_ + 1, samples_.size());
}

PagingRates PagingMinutes::MinuteBefore(uint32_t endMs) const
{
    // Ages from endMs: a sample taken after it wraps to a huge age and is passed over.
    const Sample* oldest = nullptr;
    const Sample* newest = nullptr;
    for (size_t i = 0; i < count_; ++i) {
        const Sample& sample = samples_[i];
        const uint32_t age = endMs - sample.ms;
        if (age > kFollowUpMs)
            continue;
        if (!oldest || age > endMs - oldest->ms)
            oldest = &sample;
        if (!newest || age < endMs - newest->ms)
            newest = &sample;
    }
    if (!oldest)
        return {};
    return RatesBetween(oldest->counters, newest->counters, newest->ms - oldest->ms);
}

std::optional<CleanRecord> CleanFollowUp::Begin(CleanRecord record, uint32_t endMs, const PagingRates& minuteBefore)
{
    std::optional<CleanRecord> ended = End(FollowUpEnd::NextClean);
    record.diskReadsBefore = minuteBefore.diskReads;
    record.softFaultsBefore = minuteBefore.softFaults;
    waiting_ = std::move(record);
    endMs_ = endMs;
    return ended;
}

std::optional<CleanRecord> CleanFollowUp::Tick(uint32_t nowMs, uint64_t availBytes, const PagingCounters& counters)
{
    if (!waiting_)
        return std::nullopt;
    if (last_ && nowMs - last_->ms > kLongestTickGapMs)
        return End(FollowUpEnd::Gap);
    last_ = Reading{nowMs, availBytes, counters};
    if (!first_)
        first_ = last_;
    return nowMs - endMs_ >= kFollowUpMs ? End(FollowUpEnd::Minute) : std::nullopt;
}

std::optional<CleanRecord> CleanFollowUp::End(FollowUpEnd why)
{
    if (!waiting_)
        return std::nullopt;
    CleanRecord record = std::move(*waiting_);
    waiting_.reset();
    record.followUpEnd = why;
    if (last_) {
        record.followUpMs = last_->ms - endMs_;
        record.availAfterFollowUp = last_->availBytes;
        const PagingRates after = RatesBetween(first_->counters, last_->counters, last_->ms - first_->ms);
        record.diskReadsAfter = after.diskReads;
        record.softFaultsAfter = after.softFaults;
    }
    first_.reset();
    last_.reset();
    return record;
}

std::optional<uint64_t> FreedBytes(const CleanRecord& record)
{
    if (!record.availBefore || !record.availAfter || *record.availAfter <= *record.availBefore)
        return std::nullopt;
    return *record.availAfter - *record.availBefore;
}

std::optional<uint64_t> BackBytes(const CleanRecord& record)
{
    if (!FreedBytes(record) || !record.availAfterFollowUp)
        return std::nullopt;
    return *record.availAfter - std::min(*record.availAfter, *record.availAfterFollowUp);
}

std::optional<int32_t> ShareBackPercent(const CleanRecord& record)
{
    const auto freed = FreedBytes(record), back = BackBytes(record);
    if (!freed || !back)
        return std::nullopt;
    return static_cast<int32_t>(std::min<uint64_t>(100, (*back * 100 + *freed / 2) / *freed));
}

std::optional<double> DiskReadsFactor(const CleanRecord& record)
{
    if (!record.diskReadsBefore || !record.diskReadsAfter || *record.diskReadsBefore == 0)
        return std::nullopt;
    return static_cast<double>(*record.diskReadsAfter) / *record.diskReadsBefore;
}
