// The minute after a clean over pretend minutes: the display tick's samples before it, the clean,
// then ticks until the minute ends or something ends it first; and what the last days add up to.
#include "history/clean_follow_up.h"

#include <gtest/gtest.h>

#include "history/clean_summary.h"

namespace {

constexpr uint64_t kGB = 1024ull * 1024 * 1024;

struct PretendMinute {
    const char* what;
    uint64_t availAt60s;               // falls evenly from 3 GB at the clean's end; 1 GB was free before
    uint32_t readsBefore, readsAfter;  // disk page reads a minute; 0: a system that keeps no such count
    uint32_t silentFrom, silentTo;     // seconds after the end without ticks
    uint32_t lastTick;                 // seconds after the end
    std::optional<FollowUpEnd> endedBy; // at the last tick: the exit or the next clean
    // What is recorded.
    FollowUpEnd end;
    uint32_t measuredMs;
    std::optional<int32_t> share;
    std::optional<double> factor;
};

TEST(CleanFollowUp, PretendMinutesAfterAClean)
{
    const PretendMinute minutes[] = {
        {"all of it comes back, the disk reads more", 1 * kGB, 1200, 4080, 0, 0, 60, {}, FollowUpEnd::Minute, 60000, 100, 3.4},
        {"it stays free", 3 * kGB, 1200, 1200, 0, 0, 60, {}, FollowUpEnd::Minute, 60000, 0, 1.0},
        {"no paging counts (Wine)", 2 * kGB, 0, 0, 0, 0, 60, {}, FollowUpEnd::Minute, 60000, 50, {}},
        {"the exit at 30 s", 1 * kGB, 1200, 4080, 0, 0, 30, FollowUpEnd::Exit, FollowUpEnd::Exit, 30000, 50, 3.4},
        {"asleep from 20 s", 1 * kGB, 1200, 4080, 20, 45, 60, {}, FollowUpEnd::Gap, 20000, 33, 3.4},
        {"the next clean at 5 s: too short for a rate", 1 * kGB, 1200, 4080, 0, 0, 5, FollowUpEnd::NextClean,
         FollowUpEnd::NextClean, 5000, 8, {}},
    };
    for (const PretendMinute& minute : minutes) {
        SCOPED_TRACE(minute.what);
        const uint32_t start = 0xFFFFFFFFu - 30000; // the tick count wraps during the minute after
        const uint32_t endMs = start + 2000;        // the clean took two seconds
        uint32_t reads = 0xFFFFF000u;               // and so does the count of pages read
        PagingMinutes before;
        for (uint32_t ms = start - 90000; ms != start; ms += 500)
            before.Add(ms, PagingCountersOf(minute.readsBefore ? reads += minute.readsBefore / 120 : 0, 0));
        CleanRecord record;
        record.availBefore = 1 * kGB;
        record.availAfter = 3 * kGB;
        CleanFollowUp followUp;
        EXPECT_FALSE(followUp.Begin(record, endMs, before.MinuteBefore(start)));
        std::optional<CleanRecord> written;
        for (uint32_t at = 500; !written && at <= minute.lastTick * 1000; at += 500) {
            if (at > minute.silentFrom * 1000 && at < minute.silentTo * 1000)
                continue;
            const uint64_t avail = 3 * kGB - (3 * kGB - minute.availAt60s) * at / 60000;
            written = followUp.Tick(endMs + at, avail, PagingCountersOf(minute.readsAfter ? reads += minute.readsAfter / 120 : 0, 0));
        }
        if (minute.endedBy == FollowUpEnd::NextClean) {
            EXPECT_FALSE(written);
            written = followUp.Begin(record, endMs + minute.lastTick * 1000, {});
        } else if (minute.endedBy) {
            EXPECT_FALSE(written);
            written = followUp.End(*minute.endedBy);
        }
        ASSERT_TRUE(written);
        EXPECT_EQ(written->followUpEnd, minute.end);
        EXPECT_EQ(written->followUpMs, minute.measuredMs);
        EXPECT_EQ(ShareBackPercent(*written), minute.share);
        ASSERT_EQ(DiskReadsFactor(*written).has_value(), minute.factor.has_value());
        if (minute.factor) {
            EXPECT_NEAR(*DiskReadsFactor(*written), *minute.factor, 0.05);
        }
        EXPECT_FALSE(written->softFaultsBefore || written->softFaultsAfter) << "counted nowhere";
        EXPECT_EQ(followUp.Waiting() != nullptr, minute.endedBy == FollowUpEnd::NextClean);
    }
    CleanFollowUp idle;
    EXPECT_FALSE(idle.Tick(0, 1, {}) || idle.End(FollowUpEnd::Exit)) << "nothing measured without a clean";
}

CleanRecord Clean(CleanTrigger trigger, int day, int64_t freedMB, std::optional<uint64_t> back60s, uint32_t reads)
{
    CleanRecord record;
    record.startLocal = {2026, 3, day, 0, 12, 0, 0};
    record.trigger = trigger;
    record.freedMB = freedMB;
    record.availBefore = 1 * kGB;
    record.availAfter = 1 * kGB + static_cast<uint64_t>(freedMB) * 1024 * 1024;
    record.followUpEnd = FollowUpEnd::Minute;
    if (back60s)
        record.availAfterFollowUp = *record.availAfter - *back60s;
    record.diskReadsBefore = 100;
    record.diskReadsAfter = reads;
    return record;
}

TEST(CleanSummary, MediansApartAndAVerdictOnlyWhenAutomaticCleansComeBackAndCostReads)
{
    const LocalTime now{2026, 3, 10, 2, 12, 0, 0};
    std::vector<CleanRecord> records = {
        Clean(CleanTrigger::Automatic, 9, 1024, 1 * kGB, 300), Clean(CleanTrigger::Standby, 8, 2048, 2 * kGB, 200),
        Clean(CleanTrigger::Automatic, 7, 512, 0, 90),        Clean(CleanTrigger::Automatic, 6, 1024, kGB / 2, 500),
        Clean(CleanTrigger::Button, 9, 4096, 1 * kGB, 100),   Clean(CleanTrigger::Tray, 9, 2048, std::nullopt, 100),
        Clean(CleanTrigger::Automatic, 2, 9999, 0, 100), // more than seven days ago
    };
    records.push_back(records[0]);
    records.back().result = CleanResult::Skipped;
    CleanSummary summary = SummariseCleans(records, now, 7);
    EXPECT_EQ(summary.automatic.cleans, 4u);
    EXPECT_EQ(summary.automatic.medianFreedMB, 1024);
    EXPECT_EQ(summary.automatic.medianSharePercent, 75) << "100, 100, 0 and 50";
    EXPECT_NEAR(summary.automatic.medianDiskFactor.value(), 2.5, 1e-9);
    EXPECT_TRUE(summary.automaticNotHelping);
    EXPECT_TRUE(summary.manual.cleans == 2 && summary.manual.medianFreedMB == 3072 &&
                summary.manual.medianSharePercent == 25);
    EXPECT_TRUE(CameBack(records[0]) && !CameBack(records[2]) && !CameBack(records[5]));

    records[3].diskReadsAfter = records[0].diskReadsAfter = 90; // the disk reads no more: they may help
    EXPECT_FALSE(SummariseCleans(records, now, 7).automaticNotHelping);
    EXPECT_FALSE(SummariseCleans({records[0], records[1]}, now, 7).automaticNotHelping) << "too few to judge";
    EXPECT_EQ(SummariseCleans(records, {2026, 4, 30, 4, 0, 0, 0}, 7).automatic.cleans, 0u);
}

} // namespace
