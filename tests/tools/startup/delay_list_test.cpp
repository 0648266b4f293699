#include "tools/startup/delay_list.h"
#include "tools/startup/launch_schedule.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::ScratchDir;
using testing_support::WriteWholeFile;

namespace {

StartupItem Entry(const std::string& name, const std::string& command, int delay = 1, int origin = 0)
{
    return {name, command, Delayed, delay, origin};
}

std::string Section(int i, const std::string& name, const std::string& path, int delay, int origin)
{
    return "[Item" + std::to_string(i) + "]\r\nProject=" + name + "\r\nPath=" + path
           + "\r\nDelay=" + std::to_string(delay) + "\r\nOLDID=" + std::to_string(origin) + "\r\n\r\n";
}

std::string ListOf(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += Section(i, "P" + std::to_string(i), "c", i % 60, 0);
    return bytes;
}

// Removing by name takes the last of that exact name; removing a picked item takes that one. An
// item that would break the file's lines is refused.
TEST(DelayList, LayoutTwinsMalformedFilesAndTheHundredItemLimits)
{
    ScratchDir dir("delay-list");
    const CDelayList list(dir.File("Delay.ini"));
    EXPECT_FALSE(list.Append(Entry("A", "a.exe\nProject=B")));
    ASSERT_TRUE(list.Append(Entry("A", "\"C:\\A dir\\a.exe\" -x", 12, 5)));
    for (const char* command : {"first.exe", "second.exe", "third.exe"})
        ASSERT_TRUE(list.Append(Entry("Twin", command, 60, 6)));
    EXPECT_EQ(ReadWholeFile(list.Path()),
              Section(0, "A", "\"C:\\A dir\\a.exe\" -x", 12, 5) + Section(1, "Twin", "first.exe", 60, 6)
                  + Section(2, "Twin", "second.exe", 60, 6) + Section(3, "Twin", "third.exe", 60, 6));
    EXPECT_FALSE(list.RemoveProject("twin")) << "names compare exactly";
    EXPECT_TRUE(list.RemoveItem(Entry("Twin", "first.exe", 60, 6)));
    EXPECT_FALSE(list.RemoveItem(Entry("Twin", "first.exe", 60, 6))) << "gone already";
    EXPECT_TRUE(list.RemoveProject("Twin"));
    EXPECT_EQ(ReadWholeFile(list.Path()),
              Section(0, "A", "\"C:\\A dir\\a.exe\" -x", 12, 5) + Section(1, "Twin", "second.exe", 60, 6));

    // Gaps, repeated numbers, odd values and sections of its own do not make a change overwrite or
    // drop anything.
    WriteWholeFile(list.Path(), "Note=top\r\n[Item0]\r\nProject=A\r\nDelay=abc\r\n[ItemNotes]\r\nKeep=me\r\n[Item2]\r\n"
                                "Project=B\r\nPath=b\r\n[Item0]\r\nPath=c\r\nDelay=99999999999\r\nOLDID=6\r\n");
    std::vector<std::tuple<std::string, std::string, int, int>> read;
    for (const StartupItem& i : list.ReadItems())
        read.emplace_back(i.name, i.command, i.delay, i.origin);
    EXPECT_EQ(read, (decltype(read){{"A", "", 0, 0}, {"B", "b", 0, 0}, {"", "c", 2147483647, 6}}));

    ASSERT_TRUE(list.Append(Entry("D", "d", 4, 5)));
    ASSERT_TRUE(list.RemoveProject("B"));
    EXPECT_EQ(ReadWholeFile(list.Path()), Section(0, "A", "", 0, 0) + Section(1, "", "c", 2147483647, 6)
                                              + Section(2, "D", "d", 4, 5)
                                              + "[]\r\nNote=top\r\n\r\n[ItemNotes]\r\nKeep=me\r\n\r\n");

    std::vector<StartupItem> table;
    WriteWholeFile(list.Path(), ListOf(100));
    EXPECT_FALSE(list.Append(Entry("Extra", "x"))) << "a 101st item is refused";
    EXPECT_EQ(ReadWholeFile(list.Path()), ListOf(100)) << "and nothing written";
    EXPECT_EQ(CDelayList::LoadForLaunch(ListOf(100), table), 100);

    WriteWholeFile(list.Path(), ListOf(101)); // edited by hand
    EXPECT_FALSE(list.AcceptsRemoval());
    EXPECT_EQ(CDelayList::LoadForLaunch(ListOf(101), table), 0);
    EXPECT_TRUE(table.empty());
    // One list for every administrator: a user's entry names its owner, kept through a rewrite. A
    // list from before owners goes, for its user entries, to the first account that reads it; the
    // machine's entries are everyone's.
    WriteWholeFile(list.Path(), Section(0, "U", "u", 1, UserRun) + Section(1, "M", "m", 1, MachineRun) +
                                    "[Item2]\r\nProject=T\r\nPath=t\r\nOLDID=6\r\nOwner=S-1-5-21-9\r\n");
    EXPECT_TRUE(list.AdoptUnowned("S-1-5-21-7"));
    EXPECT_FALSE(list.AdoptUnowned("S-1-5-21-8")) << "adopted once";
    std::vector<std::string> owners;
    for (const StartupItem& i : list.ReadItems())
        owners.push_back(i.owner + (BelongsTo(i, "S-1-5-21-7") ? "+" : "-"));
    EXPECT_EQ(owners, (std::vector<std::string>{"S-1-5-21-7+", "+", "S-1-5-21-9-"}));
}

TEST(LaunchSchedule, OnceAtItsWholeMinuteAcrossTheWrapNeverWhenMissedOrNegative)
{
    EXPECT_EQ(ElapsedMinutes(1000, 60999), 0u);
    CLaunchSchedule schedule;
    schedule.Load({{"missed", "m", Delayed, 2}, {"negative", "n", Delayed, -1}, {"due", "due", Delayed, 1}});
    std::vector<std::string> launched;
    bool shell = false; // the user's shell, without which nothing starts
    const auto launch = [&](const StartupItem& item) { return shell && (launched.push_back(item.command), true); };
    for (std::uint32_t minute : {0u, 1u, 3u, 3u, 4u, 0xFFFFFFFFu}) {
        shell = minute >= 3;
        schedule.LaunchDue(minute, launch);
    }
    EXPECT_EQ(launched, std::vector<std::string>{"due"}) << "tried again past its minute until it starts, then once";
    EXPECT_FALSE(schedule.Finished());

    // A list read late (another program held it) starts what came due meanwhile at once.
    launched.clear();
    schedule.Load({{"overdue", "o", Delayed, 2}, {"now", "n", Delayed, 3}, {"later", "l", Delayed, 4}}, 3);
    schedule.LaunchDue(3, launch);
    EXPECT_EQ(launched, (std::vector<std::string>{"o", "n"}));

    schedule.Load(std::vector<StartupItem>(150, {"x", "x", Delayed, 0}));
    EXPECT_EQ(schedule.LaunchDue(0, launch), kMaxStartupItems) << "the table holds 100 rows";
    EXPECT_TRUE(schedule.Finished());
}

} // namespace
