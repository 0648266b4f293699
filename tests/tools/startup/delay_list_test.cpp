#include "tools/startup/delay_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::ScratchDir;
using testing_support::WriteWholeFile;

namespace {

StartupItem Entry(const std::string& name, const std::string& command, int delay, int origin)
{
    return {name, command, Delayed, delay, origin};
}

std::string Section(int i, const std::string& name, const std::string& path, int delay, int origin)
{
    return std::string("[Item").append(std::to_string(i)) + "]\r\nProject=" + name + "\r\nPath=" + path + "\r\nDelay="
           + std::to_string(delay) + "\r\nOLDID=" + std::to_string(origin) + "\r\n\r\n";
}

std::string ListOf(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        bytes += Section(i, std::string("P").append(n), std::string("c").append(n), i % 60, 0);
    }
    return bytes;
}

TEST(DelayList, AppendAndRemoveProjectByteLayout)
{
    ScratchDir dir("delay-layout");
    const CDelayList list(dir.File("Delay.ini"));
    EXPECT_TRUE(list.Append(Entry("A", "a.exe", 1, 0)));
    EXPECT_TRUE(list.Append(Entry("B", "\"C:\\B dir\\b.exe\" -x", 12, 5)));
    EXPECT_TRUE(list.Append(Entry("C", "c.exe", 60, 6)));
    EXPECT_EQ(ReadWholeFile(list.Path()),
              Section(0, "A", "a.exe", 1, 0) + Section(1, "B", "\"C:\\B dir\\b.exe\" -x", 12, 5)
                  + Section(2, "C", "c.exe", 60, 6));

    EXPECT_TRUE(list.RemoveProject("A"));
    const std::string afterRemoval =
        Section(0, "B", "\"C:\\B dir\\b.exe\" -x", 12, 5) + Section(1, "C", "c.exe", 60, 6);
    EXPECT_EQ(ReadWholeFile(list.Path()), afterRemoval);

    EXPECT_FALSE(list.RemoveProject("b")) << "names compare exactly: nothing matches";
    EXPECT_EQ(ReadWholeFile(list.Path()), afterRemoval);
}

TEST(DelayList, LastMatchWins)
{
    ScratchDir dir("delay-last-match");
    const CDelayList list(dir.File("Delay.ini"));
    WriteWholeFile(list.Path(),
                   Section(0, "X", "first", 1, 0) + Section(1, "Y", "y", 2, 0) + Section(2, "X", "second", 3, 5));
    EXPECT_TRUE(list.RemoveProject("X"));
    EXPECT_EQ(ReadWholeFile(list.Path()), Section(0, "X", "first", 1, 0) + Section(1, "Y", "y", 2, 0));
}

TEST(DelayList, ReadsMissingAndOddValues)
{
    ScratchDir dir("delay-odd");
    const CDelayList list(dir.File("Delay.ini"));
    EXPECT_TRUE(list.ReadItems().empty()) << "no file, no items";
    WriteWholeFile(list.Path(), "[Item0]\r\nProject=P\r\nDelay=abc\r\n\r\n[Item1]\r\nPath=x\r\nDelay=7\r\nOLDID=6\r\n");
    std::vector<std::tuple<std::string, std::string, int, int, int>> read;
    for (const StartupItem& i : list.ReadItems())
        read.emplace_back(i.name, i.command, i.delay, i.origin, i.kind);
    EXPECT_EQ(read, (decltype(read){{"P", "", 0, 0, Delayed}, {"", "x", 7, 6, Delayed}}));
}

TEST(DelayList, HundredItemLimits)
{
    ScratchDir dir("delay-hundred");
    const CDelayList list(dir.File("Delay.ini"));
    std::vector<StartupItem> table;

    WriteWholeFile(list.Path(), ListOf(100));
    EXPECT_TRUE(list.IsFull());
    EXPECT_FALSE(list.Append(Entry("Extra", "x", 1, 0))) << "a 101st item is refused";
    EXPECT_EQ(ReadWholeFile(list.Path()), ListOf(100)) << "and nothing written";
    EXPECT_EQ(list.LoadForLaunch(table), 100) << "100 items are launched";
    EXPECT_EQ(table[99].name, "P99");
    EXPECT_TRUE(list.RemoveProject("P0")) << "a full list still lets one go";
    EXPECT_EQ(list.ReadItems().size(), 99u);

    WriteWholeFile(list.Path(), ListOf(101)); // edited by hand
    EXPECT_FALSE(list.AcceptsRemoval());
    EXPECT_FALSE(list.RemoveProject("P0"));
    EXPECT_EQ(ReadWholeFile(list.Path()), ListOf(101));
    EXPECT_EQ(list.LoadForLaunch(table), 0);
    EXPECT_TRUE(table.empty());
}

// Gaps, repeated numbers and sections of its own do not make a change overwrite or drop anything.
TEST(DelayList, MalformedFileLosesNothing)
{
    ScratchDir dir("delay-malformed");
    const CDelayList list(dir.File("Delay.ini"));
    WriteWholeFile(list.Path(), "Note=top\r\n[Item0]\r\nProject=A\r\nPath=a\r\n[Notes]\r\nKeep=me\r\n"
                                "[Item2]\r\nProject=B\r\nPath=b\r\n[Item0]\r\nProject=C\r\nPath=c\r\n");
    std::vector<std::string> names;
    for (const StartupItem& item : list.ReadItems())
        names.push_back(item.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));

    ASSERT_TRUE(list.Append(Entry("D", "d", 4, 5)));
    ASSERT_TRUE(list.RemoveProject("B"));
    EXPECT_EQ(ReadWholeFile(list.Path()), Section(0, "A", "a", 0, 0) + Section(1, "C", "c", 0, 0) + Section(2, "D", "d", 4, 5)
                                              + "[]\r\nNote=top\r\n\r\n[Notes]\r\nKeep=me\r\n\r\n");
}

// Two items of one name: the one removed is the one picked, by its command.
TEST(DelayList, RemoveItemActsOnThePickedTwin)
{
    ScratchDir dir("delay-twins");
    const CDelayList list(dir.File("Delay.ini"));
    ASSERT_TRUE(list.Append(Entry("Twin", "first.exe", 1, 0)));
    ASSERT_TRUE(list.Append(Entry("Twin", "second.exe", 1, 0)));
    EXPECT_TRUE(list.RemoveItem(Entry("Twin", "first.exe", 1, 0)));
    EXPECT_FALSE(list.RemoveItem(Entry("Twin", "first.exe", 1, 0))) << "gone already";
    EXPECT_EQ(ReadWholeFile(list.Path()), Section(0, "Twin", "second.exe", 1, 0));
}

TEST(DelayList, FailedWritesAreReported)
{
    ScratchDir dir("delay-unwritable");
    const CDelayList blocked((dir.path() / "Delay.ini").string());
    std::filesystem::create_directory(dir.path() / "Delay.ini");
    EXPECT_FALSE(blocked.Append(Entry("A", "a.exe", 1, 0)));

    const CDelayList list(dir.File("Other.ini"));
    EXPECT_FALSE(list.Append(Entry("Two\r\nlines", "a.exe", 1, 0)));
    EXPECT_FALSE(list.Append(Entry("A", "a.exe\nProject=B", 1, 0)));
    EXPECT_FALSE(std::filesystem::exists(list.Path())) << "a refused item writes nothing";
}

TEST(DelayList, ParseDecimal)
{
    const std::pair<const char*, int> cases[] = {{"15", 15}, {"-3", -3}, {"", 0}, {"abc", 0}, {" 7", 7},
                                                 {"99999999999", 2147483647}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseDecimal(text), value) << text;
}

} // namespace
