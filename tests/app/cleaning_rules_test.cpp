// The rules over simulated minutes: each row is one tick, what the machine and the shell showed,
// what the decision said, which costly figures it read, and what the window did next.
#include "app/cleaning/cleaning_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "app/texts/tray_texts.h"
#include "common/ini_file.h"
#include "support/test_paths.h"

namespace {

enum Then { kNothing, kAccept, kCancel, kStart, kEnd, kRan }; // kEnd: the automatic run ended; kRan: kAccept and kEnd

struct Row {
    double at; // minutes
    int free;  // percent; the alert value is 30
    bool busy = false, standbyFull = false;
    int shell = 5; // QUNS_ACCEPTS_NOTIFICATIONS
    const char* program = "";
    const char* expect = "";
    const char* reads = ""; // b: standby list, s: shell state, p: process list
    Then then = kNothing;
    int freedMB = 0; // of 1000 MB installed
    int back = -1;   // then the last automatic run's minute was measured: 1 its memory came back, 0 it stayed free
};

std::string Describe(const RulesActions& a)
{
    std::string text = std::string(a.alert ? " alert" : "") + (a.clean == CleanAction::Ask     ? " ask"
                                                               : a.clean == CleanAction::Clean ? " clean"
                                                                                               : "");
    text += std::string(a.standby ? " standby" : "") + (a.busyPicture ? " busy" : "");
    if (a.held != HoldReason::None)
        text += std::string(" hold ") + HoldReasonName(a.held) + (a.waitMinutes ? " " + std::to_string(a.waitMinutes) : "") +
                (a.program.empty() ? "" : " " + a.program) + (a.recordSkip ? " recorded" : "");
    return text.empty() ? text : text.substr(1);
}

TEST(CleaningRules, ScenariosOverSimulatedMinutes)
{
    const struct {
        const char* name;
        RulesSettings settings;
        std::vector<Row> rows;
    } scenarios[] = {
        {"today's rules: a cancel holds until memory recovers; a run that freed nothing starts no wait",
         {.soundAlert = true, .autoDefrag = true},
         {{.at = 0, .free = 31},
          {.at = 0.1, .free = 30, .expect = "alert ask", .reads = "s", .then = kCancel},
          {.at = 0.2, .free = 30, .expect = "alert hold cancelled", .reads = "s"},
          {.at = 0.3, .free = 31},
          {.at = 0.4, .free = 30, .expect = "alert ask", .reads = "s", .then = kStart},
          {.at = 0.5, .free = 30, .busy = true, .expect = "busy hold running", .then = kEnd, .freedMB = -20},
          {.at = 0.6, .free = 30, .expect = "alert ask", .reads = "s"}}},
        {"a full-screen program, a presentation, quiet hours, a listed program: nothing asked or sounded until "
         "they end, each recorded once; the process list is read only when the shell allows",
         {.soundAlert = true, .autoDefrag = true, .programsPause = true},
         {{.at = 0, .free = 25, .shell = 3, .program = "Game.exe", .expect = "hold full-screen recorded", .reads = "s"},
          {.at = 0.5, .free = 25, .shell = 3, .expect = "hold full-screen", .reads = "s"},
          {.at = 1, .free = 25, .shell = 4, .expect = "hold presentation recorded", .reads = "s"},
          {.at = 2, .free = 25, .shell = 6, .expect = "hold quiet-time recorded", .reads = "s"},
          {.at = 3, .free = 25, .shell = 2, .expect = "hold shell-busy recorded", .reads = "s"},
          {.at = 4, .free = 25, .program = "Game.exe", .expect = "hold program Game.exe recorded", .reads = "sp"},
          {.at = 5, .free = 40, .shell = 3}, // memory recovered meanwhile: nothing is owed
          {.at = 5.5, .free = 30, .shell = 3, .expect = "hold full-screen recorded", .reads = "s"},
          {.at = 6, .free = 25, .shell = 1, .expect = "alert ask", .reads = "sp"}}},
        {"ten minutes between automatic cleans, whichever trigger",
         {.autoDefrag = true, .standbyAutoClean = true, .intervalMinutes = 10},
         {{.at = 0, .free = 40, .reads = "b"},
          {.at = 0, .free = 25, .expect = "ask", .reads = "s", .then = kAccept},
          {.at = 1, .free = 25, .busy = true, .expect = "busy hold running", .then = kEnd, .freedMB = 300},
          {.at = 2, .free = 25, .expect = "hold too-soon 9 recorded"},
          {.at = 10.95, .free = 60, .standbyFull = true, .expect = "standby hold too-soon 1", .reads = "b"},
          {.at = 11, .free = 60, .standbyFull = true, .expect = "ask standby", .reads = "bs"}}},
        {"cleans freeing under 5 %: the wait doubles up to an hour; one that frees resets it",
         {.autoDefrag = true, .askFirst = false, .backOffPercent = 5},
         {{.at = 0, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .freedMB = 49},
          {.at = 1, .free = 25, .expect = "hold back-off 1 recorded"},
          {.at = 2, .free = 25, .expect = "clean", .reads = "s", .then = kRan},
          {.at = 5.5, .free = 25, .expect = "hold back-off 1 recorded"},
          {.at = 6, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .freedMB = 10},
          {.at = 14, .free = 25, .expect = "clean", .reads = "s", .then = kRan},
          {.at = 30, .free = 25, .expect = "clean", .reads = "s", .then = kRan},
          {.at = 62, .free = 25, .expect = "clean", .reads = "s", .then = kRan},
          {.at = 121, .free = 25, .expect = "hold back-off 1 recorded"},
          {.at = 122, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .freedMB = 50},
          {.at = 122, .free = 25, .expect = "clean", .reads = "s"}}},
        {"waiting while cleans do not help: from the third whose memory came back within a minute the wait "
         "doubles as the back-off's does; one whose memory stayed free ends it",
         {.autoDefrag = true, .askFirst = false, .pauseUnhelpful = true},
         {{.at = 0, .free = 25, .expect = "clean", .reads = "s", .then = kRan},
          {.at = 1, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 2, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 3, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 4, .free = 25, .expect = "hold not-helping 1 recorded"},
          {.at = 5, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 8.5, .free = 25, .expect = "hold not-helping 1 recorded"},
          {.at = 9, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 0},
          {.at = 9.1, .free = 25, .expect = "clean", .reads = "s"}}},
        {"that wait is off unless asked for",
         {.autoDefrag = true, .askFirst = false},
         {{.at = 0, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 1, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 2, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1},
          {.at = 3, .free = 25, .expect = "clean", .reads = "s", .then = kRan, .back = 1}}},
    };
    for (const auto& scenario : scenarios) {
        CleaningRules rules;
        const uint32_t start = 0xFFFFFFFFu - 90 * 1000; // every wait runs across the count's wrap
        for (const Row& row : scenario.rows) {
            const uint32_t now = start + static_cast<uint32_t>(row.at * 60000);
            std::string reads;
            const RulesProbes probes{[&] { return reads += 'b', row.standbyFull; },
                                     [&] { return reads += 's', row.shell; },
                                     [&] { return reads += 'p', std::string(row.program); }};
            const RulesActions actions = rules.Decide(now, row.busy, row.free, scenario.settings, probes);
            const std::string where = std::string(scenario.name) + ", minute " + std::to_string(row.at);
            EXPECT_EQ(Describe(actions), row.expect) << where;
            EXPECT_EQ(reads, row.reads) << where;
            if (row.then == kAccept || row.then == kCancel)
                rules.Answered(row.then == kAccept);
            if (row.then == kEnd || row.then == kRan)
                rules.AutomaticRunEnded(now, row.freedMB, 1000, scenario.settings.backOffPercent);
            if (row.back >= 0)
                rules.AutomaticFollowUpEnded(row.back == 1);
        }
    }
}

// The shell keeps 63 bytes of a tooltip: in every language each reason the user is told of fits
// whole beside the widest figures (a listed program's name may be cut); the others say nothing.
TEST(CleaningRules, EveryHoldFitsTheTooltipInEveryLanguage)
{
    std::vector<std::string> files{"dist/Kelvane.ini"};
    for (const auto& entry : std::filesystem::directory_iterator(testing_support::SourcePath("dist/lang")))
        files.push_back("dist/lang/" + entry.path().filename().string() + "/Kelvane.ini");
    for (const std::string& file : files) {
        CIniFile texts(testing_support::SourcePath(file).string());
        ASSERT_TRUE(texts.Load()) << file;
        const auto lookup = [&](const char* key) { return texts.GetValue("Resource", key); };
        for (int reason = 0; reason <= static_cast<int>(HoldReason::NotHelping); ++reason) {
            const RulesActions held{.held = static_cast<HoldReason>(reason), .program = "C:\\Games\\",
                                    .waitMinutes = kMaxIntervalMinutes};
            const std::string line = HoldTipLine(held, lookup);
            const std::string tip = TrayTooltip(lookup("IconTipsCPU"), 100, lookup("IconTipsRAM"), 0, line);
            EXPECT_EQ(line.empty(), held.held < HoldReason::TooSoon) << file << ": " << HoldReasonName(held.held);
            EXPECT_LE(tip.size(), 63u) << file << ": " << tip;
            EXPECT_EQ(line.find_first_of("{\\"), std::string::npos) << file << ": " << line;
            // A reason the history records has its own words there.
            const char* historyKey = HoldReasonHistoryKey(HoldReasonName(held.held));
            EXPECT_EQ(historyKey && !lookup(historyKey).empty(), held.held >= HoldReason::Cancelled)
                << file << ": " << HoldReasonName(held.held);
        }
    }
}

} // namespace
