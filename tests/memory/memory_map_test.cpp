// Where memory goes, on a pretend machine and on one that gives nothing: the programs summed and
// ranked, what each method could take, the bar's parts, and the window's rows and the console
// program's output in the shipped English words, a figure not given never shown as 0.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cleaning/memory_map_texts.h"
#include "common/ini_file.h"
#include "console/memory_report.h"
#include "support/json_paths.h"
#include "support/test_paths.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

// Twelve programs of i x 10 MB private (i x 20 MB whole), the third and the twelfth left alone and
// the first giving no private figure; every list; no figure of the kernel.
MemoryMap Machine()
{
    MemoryMap map;
    map.total = 8192 * kMB;
    map.programs.emplace();
    for (uint64_t i = 1; i <= 12; ++i)
        map.programs->push_back({"p" + std::to_string(i) + ".exe", i * 20 * kMB, i == 1 ? 0 : i * 10 * kMB, i == 3 || i == 12});
    map.systemCache = 300 * kMB;
    map.lists = MemoryLists{{5 * kMB, 6 * kMB, 0, 0, 0, 100 * kMB, 200 * kMB, 300 * kMB}, 40 * kMB, 50 * kMB, 60 * kMB};
    map.offered = kAllMethods & ~kCombinePages;
    return map;
}

TEST(MemoryMap, TheTenLargestTheRestAndWhatEachMethodCouldTake)
{
    MemoryMap map = Machine();
    std::optional<ProgramsSummary> programs = SummarisePrograms(map);
    ASSERT_TRUE(programs && programs->privateSets);
    ASSERT_EQ(programs->largest.size(), 10u);
    EXPECT_EQ(programs->largest.front(), std::pair(std::string("p12.exe"), 120 * kMB));
    EXPECT_EQ(programs->largest.back(), std::pair(std::string("p3.exe"), 30 * kMB));
    EXPECT_EQ(std::pair(programs->restCount, programs->rest), std::pair(size_t{2}, 20 * kMB)) << "p2, and p1's real 0";
    EXPECT_EQ(programs->total, 770 * kMB);
    const Bytes expected[] = {std::nullopt, 620 * kMB, 300 * kMB, 40 * kMB, 611 * kMB, 5 * kMB, std::nullopt};
    const std::vector<MethodReach> reaches = MethodReaches(map);
    ASSERT_EQ(reaches.size(), std::size(expected));
    for (size_t i = 0; i < reaches.size(); ++i)
        EXPECT_EQ(reaches[i].bytes, expected[i]) << MethodNameKey(reaches[i].method);
    EXPECT_EQ(BarParts(map)[static_cast<size_t>(MapPart::Programs)], 770 * kMB);

    // Whole working sets alone: summed whole, and no part of the bar, where they would overlap.
    for (ProgramMemory& program : *map.programs)
        program.privateWorkingSet = 0;
    programs = SummarisePrograms(map);
    EXPECT_TRUE(!programs->privateSets && programs->total == 1560 * kMB);
    EXPECT_EQ(BarParts(map)[static_cast<size_t>(MapPart::Programs)], std::nullopt);

    MemoryMap nothing;
    nothing.offered = kAllMethods;
    EXPECT_FALSE(SummarisePrograms(nothing));
    for (const MethodReach& reach : MethodReaches(nothing))
        EXPECT_EQ(reach.bytes, std::nullopt);
    for (const Bytes& part : BarParts(nothing))
        EXPECT_EQ(part, std::nullopt);
}

TEST(MemoryMap, RowsAndConsoleOutputSayNotAvailableWhereNothingIsGiven)
{
    CIniFile ini(testing_support::SourcePath("dist/Kelvane.ini").string());
    ASSERT_TRUE(ini.Load());
    const TextLookup text = [&ini](const char* key) { return ini.GetValue("Resource", key); };
    MemoryMap nothing;
    nothing.offered = kAllMethods;
    for (const MemoryMapRow& row : MemoryMapRows(nothing, text)) {
        EXPECT_FALSE(row.label.empty());
        EXPECT_TRUE(row.value.empty() || row.value == "not available") << row.label << ": " << row.value;
    }
    EXPECT_EQ(MemoryMapRows(nothing, text).size(), 21u) << "no program, no priority: the headings and each figure";
    const std::string printed = console::MemoryText(nothing);
    EXPECT_TRUE(printed.find(" 0 MB") == std::string::npos && printed.find("not available") != std::string::npos);
    auto json = testing_support::JsonPaths::Read(console::MemoryJson(nothing));
    ASSERT_TRUE(json);
    for (const char* path : {".installedBytes", ".programs", ".standbyBytes", ".standbyByPriorityBytes", ".reach[1].bytes"})
        EXPECT_EQ((*json)[path], "null") << path;
    EXPECT_EQ((*json)[".reach[1].method"], "working-sets");

    const std::vector<MemoryMapRow> rows = MemoryMapRows(Machine(), text);
    const auto find = [&](const std::string& label) {
        const auto found = std::ranges::find(rows, label, &MemoryMapRow::label);
        return found == rows.end() ? MemoryMapRow{} : *found;
    };
    EXPECT_EQ(find("The other 2 programs"), (MemoryMapRow{1, -1, "The other 2 programs", "20 MB"}));
    EXPECT_EQ(find("Priority 7"), (MemoryMapRow{2, -1, "Priority 7", "300 MB"}));
    EXPECT_EQ(find("Standby").part, static_cast<int>(MapPart::Standby));
    EXPECT_EQ(find("Purge the standby list").value, "611 MB");
    EXPECT_NE(BarDescription(Machine(), text).find("Standby: 611 MB; Free: 50 MB"), std::string::npos);
    json = testing_support::JsonPaths::Read(console::MemoryJson(Machine()));
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)[".programs.largest[0].name"] + " " + (*json)[".programs.largest[0].bytes"],
              "p12.exe " + std::to_string(120 * kMB));
    EXPECT_EQ((*json)[".standbyByPriorityBytes[7]"], std::to_string(300 * kMB));
    EXPECT_EQ((*json)[".systemCacheBytes"] + (*json)[".pagedPoolBytes"], std::to_string(300 * kMB) + "null");
}

} // namespace
