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

// The minute after in words, whole and cut short, and the summary's advice naming the settings.
TEST(HistoryTexts, WhatCameBackInWordsAndTheAdviceThatNamesTheSettings)
{
    CIniFile ini(testing_support::SourcePath("dist/Kelvane.ini").string());
    ASSERT_TRUE(ini.Load());
    const TextLookup text = [&ini](const char* key) { return ini.GetValue("Resource", key); };
    const auto record = ParseRecord("2026-03-09 13:06:00,2026-03-09T12:06:00Z,automatic,growing,6,done,,fill=done,1260,"
                                    "1073741824,3221225472,,,,,,,2048,524288,minute,60000,1610612736,1200,4080,,,end");
    ASSERT_TRUE(record);
    EXPECT_EQ(FollowUpWords(*record, text, true),
              "2.0 GB freed; 1.5 GB in use again within a minute; disk reads ×3.4 in that minute");
    CleanRecord cut = *record;
    cut.followUpEnd = FollowUpEnd::NextClean;
    cut.followUpMs = 25400;
    cut.availAfterFollowUp = cut.availAfter;
    cut.diskReadsBefore = 0;
    EXPECT_EQ(HistoryRowOf(cut, text).after, "0 MB in use again within 25 s, when the next clean began; "
                                             "4080 pages read from disk in that minute, none in the minute before");
    cut.followUpEnd.reset();
    EXPECT_EQ(FollowUpWords(cut, text, true), "") << "a line of an older version";

    CleanSummary summary;
    summary.automatic = {5, 2048, 80, 2.54};
    summary.automaticNotHelping = true;
    const std::vector<std::string> lines = SummaryLines(summary, text);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "Automatic: 5 cleans; freed 2.0 GB; in use again within a minute 80 %; disk reads ×2.5");
    EXPECT_EQ(lines[2], "By hand: 0 cleans; freed not measured; in use again within a minute not measured; "
                        "disk reads not measured");
    EXPECT_NE(lines[3].find("\"Clean automatically at alert level\" in the main window, or turn on \"Pause automatic "
                            "cleaning while it does not help\" under Cleaning methods, Programs and pauses"),
              std::string::npos)
        << lines[3];
}

} // namespace
