// The History window's rows and chart points, in the shipped English words, so that a key the
// rows name but the file lacks shows up here.
#include <gtest/gtest.h>

#include "app/cleaning/history_texts.h"
#include "common/ini_file.h"
#include "history/history_file.h"
#include "support/test_paths.h"

namespace {

TEST(HistoryTexts, RowsOfEveryKindInTheShippedWordsAndPointsOfTheCleansThatRan)
{
    CIniFile ini(testing_support::SourcePath("dist/Kelvane.ini").string());
    ASSERT_TRUE(ini.Load());
    const TextLookup text = [&ini](const char* key) { return ini.GetValue("Resource", key); };
    const std::vector<CleanRecord> records = ReadBlock(
        "2026-03-09 13:06:00,2026-03-09T12:06:00Z,tray,step,4,done,,fill=done,1260,1,2,3,4,,,,,64,16384,end\n"
        "2026-03-08 13:06:00,2026-03-08T12:06:00Z,automatic,,,skipped,cancelled,,0,1,,,,,,,,,,end\n"
        "2026-03-07 13:06:00,2026-03-07T12:06:00Z,standby,,,skipped,overheated,,0,1,,,,,,,,,,end\n"
        "2026-03-06 13:06:00,2026-03-06T12:06:00Z,button,growing,6,stopped,,fill=done,99,1,2,3,4,,,,,-2,-512,end\n");
    ASSERT_EQ(records.size(), 4u);
    const HistoryRow rows[] = {HistoryRowOf(records[0], text), HistoryRowOf(records[1], text),
                               HistoryRowOf(records[2], text), HistoryRowOf(records[3], text)};
    EXPECT_EQ(rows[0].time, "2026-03-09 13:06:00");
    EXPECT_EQ(rows[0].trigger + "|" + rows[0].freed + "|" + rows[0].duration + "|" + rows[0].result,
              "Tray menu|+64 MB|1.3 s|Done");
    EXPECT_EQ(rows[1].trigger + "|" + rows[1].freed + "|" + rows[1].result,
              "Automatic: low memory||Skipped: question cancelled");
    EXPECT_EQ(rows[2].result, "Skipped: overheated") << "a reason without words of its own";
    EXPECT_EQ(rows[3].freed + "|" + rows[3].result, "-2 MB|Stopped by the exit");
    for (CleanTrigger trigger : {CleanTrigger::Organise, CleanTrigger::Standby, CleanTrigger::Console}) {
        CleanRecord record = records[0];
        record.trigger = trigger;
        record.result = CleanResult::Refused;
        const HistoryRow row = HistoryRowOf(record, text);
        EXPECT_FALSE(row.trigger.empty() || row.result.empty()) << TriggerName(trigger);
    }

    const auto points = FreedPoints(records, {2026, 3, 9, 1, 14, 6, 0});
    ASSERT_EQ(points.size(), 2u) << "skipped cleans freed nothing";
    EXPECT_TRUE(points[0].secondsAgo == 3600 && points[0].freedMB == 64);
    EXPECT_TRUE(points[1].secondsAgo == 3 * 86400 + 3600 && points[1].freedMB == -2);
}

} // namespace
