// The history's portable parts: a record's line and what damage it survives, the blocks it is kept
// in within their bounds, and the choice of records a reader asks for. The console program's
// scenario damages a real block under Wine.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "history/clean_event.h"
#include "history/clean_record.h"
#include "history/event_writer.h"
#include "history/history_file.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

// Three kinds of line: a run with refused and unsupported methods, memory that fell and its minute
// after, a skipped question, and a classic tray step without list figures whose minute the exit cut.
const std::string kLines[] = {
    "2026-03-09 13:05:07,2026-03-09T12:05:07Z,automatic,growing,6,done,,working-sets=refused/C0000061;"
    "combine-pages=not-supported/C0000003;standby-list=done;fill=done,4321,104857600,102760448,1099511627776,0,"
    "1932525568,1268776960,125829120,4194304,-2,-512,minute,60000,99614720,1200,4080,0,,end",
    "2024-02-29 23:59:59,2024-03-01T00:59:59Z,standby,,,skipped,cancelled,,0,1,,,,,,,,,,,,,,,,,end",
    "2026-03-09 13:06:00,2026-03-09T12:06:00Z,tray,step,4,done,,fill=done,12,1,2,3,4,,,,,64,16384,exit,0,,,,,,end"};

std::vector<CleanRecord> Records()
{
    std::vector<CleanRecord> records;
    for (const std::string& line : kLines)
        records.push_back(ParseRecord(line).value());
    return records;
}

TEST(CleanHistory, RecordsReadBackWholeAndNoDamagedLineReadsAsOne)
{
    for (const std::string& line : kLines) {
        EXPECT_EQ(FormatRecord(ParseRecord(line).value()), line);
        EXPECT_EQ(ParseRecord(line + "\r"), ParseRecord(line)) << "a spreadsheet's line end";
        for (size_t cut = 0; cut < line.size(); ++cut)
            ASSERT_FALSE(ParseRecord(line.substr(0, cut))) << "cut at " << cut << ": " << line;
    }
    const CleanRecord run = Records()[0];
    EXPECT_TRUE(run.freedPages == -512 && run.methods[0].status == kStatusPrivilegeNotHeld && run.growing);
    EXPECT_TRUE(run.startLocal.dayOfWeek == 1 && run.pageFileBefore == uint64_t{1} << 40 && !Records()[2].standbyAfter);
    EXPECT_TRUE(run.followUpEnd == FollowUpEnd::Minute && run.diskReadsAfter == 4080u && run.softFaultsBefore == 0u &&
                !run.softFaultsAfter && Records()[2].followUpEnd == FollowUpEnd::Exit && !Records()[1].followUpEnd);
    // A line of the version before, without the minute after: read, and written back with it empty.
    const std::string before = kLines[2].substr(0, kLines[2].find(",exit,")) + ",end";
    EXPECT_EQ(FormatRecord(ParseRecord(before).value()), kLines[2].substr(0, kLines[2].find(",exit,")) + ",,,,,,,,end");
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string line = kLines[0];
        return line.replace(line.find(from), from.size(), to);
    };
    for (const std::string& damaged :
         {replaced("2026-03-09 13", "2026-02-30 13"), replaced("automatic", "Automatic"), replaced(",end", ",,end"),
          replaced("working-sets=refused/C0000061", "working-sets=done/C0000061"), replaced(",6,", ",9,"),
          replaced("=done,", "=done;,"), replaced("4321", "-4321"), replaced(",4321", ",99999999999"),
          replaced(",growing,", ",,"), replaced("fill=done", "fill=done/00000000"), replaced("12:05:07Z", "12:05:07"),
          replaced(",done,", ",skipped,"), replaced(",minute,", ",hour,"), replaced(",minute,", ",,"),
          replaced(",-512,", ",-512,,")})
        EXPECT_FALSE(ParseRecord(damaged)) << damaged;
}

// The record of a run takes the figures the report shows and the methods in the order they ran.
TEST(CleanHistory, ARunsRecordComesFromItsMeasurementAndOutcome)
{
    CleanMeasurement measured;
    measured.before.availPhys = 164 * kMB;
    measured.after.availPhys = 100 * kMB;
    measured.before.totalPhys = measured.after.totalPhys = 256 * kMB;
    measured.pageSize = 4096;
    measured.durationMs = 1500;
    measured.ended = true;
    RunOutcome outcome;
    outcome.results = {{kPurgeStandbyList, kStatusPrivilegeNotHeld}};
    outcome.listsSampled = true;
    outcome.listsAfter.modifiedBytes = 7;
    CleanRecord record = RecordOfRun(measured, outcome, CleanTrigger::Console, false, 3, false);
    EXPECT_EQ(MethodsText(record.methods), "standby-list=refused/C0000061;fill=done");
    EXPECT_TRUE(record.result == CleanResult::Done && record.freedMB == -64 && record.freedPages == -16384);
    EXPECT_TRUE(record.availAfter == 100 * kMB && record.modifiedAfter == 7u && record.durationMs == 1500);
    outcome.classicStep = false;
    EXPECT_EQ(RecordOfRun(measured, outcome, CleanTrigger::Console, false, 3, false).result, CleanResult::Refused);
    EXPECT_EQ(RecordOfRun(measured, outcome, CleanTrigger::Console, false, 3, true).result, CleanResult::Stopped);
}

TEST(CleanHistory, BlocksRotateWithinTheirBoundsAndReadersGetTheNewestFirst)
{
    const auto newest = [](uint32_t number, uint64_t bytes, size_t lines) {
        return std::optional<NewestBlock>(NewestBlock{number, bytes, lines, true});
    };
    const struct {
        std::vector<uint32_t> blocks;
        std::optional<NewestBlock> newest;
        uint32_t block;
        bool newBlock;
        std::vector<uint32_t> drop;
    } rows[] = {
        {{}, std::nullopt, 1, true, {}},
        {{1}, newest(1, 1000, 3), 1, false, {}},
        {{1}, newest(1, kBlockBytes - 300, 3), 1, false, {}},
        {{1}, newest(1, kBlockBytes - 299, 3), 2, true, {}},
        {{1}, newest(1, 1000, kBlockLines), 2, true, {}},
        {{1}, std::nullopt, 2, true, {}}, // the newest could not be read
        {{1}, NewestBlock{1, 1000, 3, true, false}, 2, true, {}}, // begun by a version with fewer columns
        {{5, 3, 4, 2}, newest(5, 1000, kBlockLines), 6, true, {}},
        {{5, 3, 4, 2, 1}, newest(5, 1000, kBlockLines), 6, true, {1}},
        {{9, 3, 4, 2, 1, 7, 8}, newest(9, kBlockBytes, 1), 10, true, {1, 2, 3}},
    };
    for (const auto& row : rows) {
        const AppendPlan plan = PlanAppend(row.blocks, row.newest, 300);
        EXPECT_EQ(plan.block, row.block) << testing::PrintToString(row.blocks);
        EXPECT_EQ(plan.newBlock, row.newBlock) << row.block;
        EXPECT_EQ(plan.drop, row.drop) << row.block;
    }
    EXPECT_EQ(BlockNumber(BlockFileName(42)), 42u);
    for (const char* name : {"History-42.csv", "History-000000.csv", "History-0000001.csv.bak", "Other-000001.csv"})
        EXPECT_FALSE(BlockNumber(name)) << name;
    // A block read from inside a line, and one whose end was cut short.
    const std::string block = kLines[0] + "\n" + kLines[2] + "\n";
    EXPECT_EQ(ReadBlock(block.substr(10), true), std::vector<CleanRecord>{Records()[2]});
    EXPECT_TRUE(PlanAppend({1}, DescribeBlock(1, kRecordHeader + ("\n" + block).substr(0, 100)), 300).breakFirst)
        << "a torn end";
    EXPECT_FALSE(DescribeBlock(1, "startLocal,startUtc,end\n" + block).currentHeader);

    std::vector<CleanRecord> all = Records(); // 2026-03-09, 2024-02-29, 2026-03-09: in file order, not time's
    EXPECT_EQ(SelectRecords(all, {}), (std::vector<CleanRecord>{all[2], all[0], all[1]}));
    EXPECT_EQ(SelectRecords(all, {ParseDate("2024-03-01"), std::nullopt}), (std::vector<CleanRecord>{all[2], all[0]}));
    EXPECT_EQ(SelectRecords(all, {ParseDate("2024-02-29"), 2}), (std::vector<CleanRecord>{all[2], all[0]}));
    for (const char* date : {"2024-02-30", "2023-02-29", "24-02-01", "2024-2-01", "2024-02-01 "})
        EXPECT_FALSE(ParseDate(date)) << date;
}

// Each record as an event of the Application log: an id and a level for its kind, and its columns
// as the strings (event-log-trace.sh holds the message table's sentences to their number).
TEST(CleanHistory, EachRecordIsAnEventOfItsKindWithItsColumns)
{
    CleanRecord record = Records()[0];
    for (const auto& [result, id, level] : {std::tuple{CleanResult::Done, kEventCleanDone, EventLevel::Information},
                                            {CleanResult::Refused, kEventCleanRefused, EventLevel::Warning},
                                            {CleanResult::Stopped, kEventCleanStopped, EventLevel::Information},
                                            {CleanResult::Skipped, kEventCleanSkipped, EventLevel::Information}}) {
        record.result = result;
        const CleanEvent event = EventOfRecord(record);
        std::string line;
        for (const std::string& text : event.strings)
            line += text + ",";
        EXPECT_TRUE(event.id == id && event.level == level && line + "end" == FormatRecord(record)) << id;
    }
}

// With a write under way nothing waits for the log: sixteen records wait and are written in order,
// the rest are dropped; those and a write that failed are counted.
TEST(CleanHistory, TheEventWriterNeverWaitsForTheLogAndCountsWhatItLoses)
{
    struct Log {
        std::mutex lock;
        std::condition_variable changed;
        bool open = false;
        std::vector<std::string> written; // the records' durations, which number them here
    };
    const auto log = std::make_shared<Log>(); // the writer's thread may outlive the test
    const auto written = [&](size_t count) {
        std::unique_lock guard(log->lock);
        log->changed.wait(guard, [&] { return log->written.size() == count; });
    };
    EventWriter writer([log](const CleanEvent& event) {
        std::unique_lock guard(log->lock);
        log->written.push_back(event.strings[8]);
        log->changed.notify_all();
        log->changed.wait(guard, [&] { return log->open; });
        return log->written.size() > 1; // the first fails
    });
    CleanRecord record = Records()[1];
    for (record.durationMs = 0; record.durationMs <= EventWriter::kWaiting + 4; ++record.durationMs) {
        writer.Add(record);
        if (record.durationMs == 0)
            written(1); // the first write holds the thread
    }
    EXPECT_EQ(writer.Lost(), 4u);
    std::unique_lock guard(log->lock);
    log->open = true;
    log->changed.notify_all();
    guard.unlock();
    written(EventWriter::kWaiting + 1);
    for (size_t i = 0; i < log->written.size(); ++i)
        EXPECT_EQ(log->written[i], std::to_string(i));
    EXPECT_EQ(writer.Lost(), 5u);
}

} // namespace
