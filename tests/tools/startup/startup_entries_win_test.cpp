#include "tools/startup/startup_entries_win.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/resource_text.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/startup_rules.h"
#include "tools/startup/startup_test_support_win.h"

using namespace startup_testing;
using testing_support::ReadWholeFile;

namespace {

class StartupEntriesTest : public testing::Test {
protected:
    StartupState state_{"startup-entries"};
    RecordingHost host_;

    std::string DelayList() const { return state_.DelayList(); }
    std::vector<StartupItem> Load() const
    {
        std::vector<StartupItem> table;
        LoadStartupItems(table, DelayList());
        return table;
    }
    std::vector<std::pair<int, std::string>> Copies(const std::string& name) const
    {
        std::vector<std::pair<int, std::string>> copies;
        for (const StartupItem& item : Load())
            if (item.name == name)
                copies.emplace_back(item.kind, item.command);
        return copies;
    }
    std::vector<int> PlacesOf(const std::string& name) const
    {
        std::vector<int> kinds;
        for (const auto& copy : Copies(name))
            kinds.push_back(copy.first);
        return kinds;
    }
    const StartupItem Find(const std::string& name) const
    {
        for (const StartupItem& item : Load())
            if (item.name == name)
                return item;
        ADD_FAILURE() << name << " is not listed";
        return {};
    }
};

TEST_F(StartupEntriesTest, ListsKeysAndDelayListInOrderWithoutTheOwnEntryAndDeletesEach)
{
    SetValue(UserRunDisabled, "u-off", "uoff.exe");
    SetValue(UserRun, "u-on", "uon.exe");
    SetValue(UserRun, "Orvanta", "listed.exe");
    SetValue(MachineRunServicesDisabled, "s-off", "soff.exe");
    SetValue(MachineRunDisabled, "m-off", "moff.exe");
    SetValue(MachineRunServices, "s-on", "son.exe");
    SetValue(MachineRun, "OrvantaHelper", "hidden.exe");
    SetValue(MachineRun, "m-on", "mon.exe");
    ASSERT_TRUE(CDelayList(DelayList()).Append({"d-one", "d1.exe", Delayed, 5, 0}));
    ASSERT_TRUE(CDelayList(DelayList()).Append({"d-two", "d2.exe", Delayed, 0, 6}));

    std::vector<StartupItem> table;
    ASSERT_EQ(LoadStartupItems(table, DelayList()), 9);
    const std::pair<const char*, int> expected[] = {
        {"m-on", MachineRun},       {"s-on", MachineRunServices},        {"d-one", Delayed},
        {"d-two", Delayed},         {"m-off", MachineRunDisabled},       {"s-off", MachineRunServicesDisabled},
        {"Orvanta", UserRun},       {"u-on", UserRun},                   {"u-off", UserRunDisabled},
    };
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].name, expected[i].first) << i;
        EXPECT_EQ(table[i].kind, expected[i].second) << i;
    }
    EXPECT_EQ(table[0].command, "mon.exe");
    EXPECT_EQ(table[2].delay, 5);
    EXPECT_EQ(table[3].origin, 6);

    // Each is deleted from where it lives; the own entry is never touched.
    for (const StartupItem& item : table)
        if (item.name != "u-on") {
            EXPECT_TRUE(DeleteStartupItem(item, DelayList())) << item.name;
        }
    ASSERT_EQ(Load().size(), 1u);
    EXPECT_EQ(Load()[0].name, "u-on");
    EXPECT_EQ(GetValue(MachineRun, "Orvanta").substr(0, 1), "\"");
    EXPECT_EQ(GetValue(MachineRun, "OrvantaHelper"), "hidden.exe");
}

// The long command (past 255 characters) must arrive whole everywhere.
TEST_F(StartupEntriesTest, RoundTripsThroughEveryMode)
{
    EnsureDisabledKeys();
    const std::string command = "\"C:\\Program Files\\" + std::string(300, 'k') + "\\tool.exe\" /quiet";
    struct Route {
        int active, paused, pausedOrigin, activeOrigin;
    };
    const Route routes[] = {{MachineRunServices, MachineRunServicesDisabled, 1, 1},
                            {UserRun, UserRunDisabled, 6, 5}};
    for (const Route& r : routes) {
        SCOPED_TRACE(std::string("active kind ").append(std::to_string(r.active)));
        SetValue(r.active, "Trip", command);
        using Copy = std::vector<std::pair<int, std::string>>;

        EXPECT_TRUE(SetStartMode(Find("Trip"), StartPaused, 1, DelayList()));
        EXPECT_EQ(Copies("Trip"), (Copy{{r.paused, command}}));

        EXPECT_TRUE(SetStartMode(Find("Trip"), StartDelayed, 9, DelayList()));
        EXPECT_EQ(Copies("Trip"), (Copy{{Delayed, command}}));
        EXPECT_EQ(Find("Trip").origin, r.pausedOrigin);
        EXPECT_EQ(Find("Trip").delay, 9);

        EXPECT_TRUE(SetStartMode(Find("Trip"), StartAtBoot, 1, DelayList()));
        EXPECT_EQ(PlacesOf("Trip"), std::vector<int>{r.active}) << "back to the active key";
        EXPECT_EQ(GetValue(r.active, "Trip"), command);

        EXPECT_TRUE(SetStartMode(Find("Trip"), StartDelayed, 2, DelayList()));
        EXPECT_EQ(Find("Trip").origin, r.activeOrigin);
        EXPECT_TRUE(SetStartMode(Find("Trip"), StartPaused, 1, DelayList()));
        EXPECT_EQ(PlacesOf("Trip"), std::vector<int>{r.paused});
        EXPECT_TRUE(SetStartMode(Find("Trip"), StartAtBoot, 1, DelayList()));
        EXPECT_EQ(Copies("Trip"), (Copy{{r.active, command}}));
        RemoveStartupValue(r.active, "Trip");
    }
    EXPECT_TRUE(host_.boxes.empty()) << "the own entry is present";
}

TEST_F(StartupEntriesTest, DelayingADelayedItemKeepsTheListButChecksTheOwnEntry)
{
    SetValue(UserRun, "Again", "again.exe");
    ASSERT_TRUE(SetStartMode(Find("Again"), StartDelayed, 4, DelayList()));
    const std::string before = ReadWholeFile(DelayList());
    EXPECT_TRUE(host_.boxes.empty());

    RemoveStartupValue(MachineRun, "Orvanta");
    EXPECT_FALSE(SetStartMode(Find("Again"), StartDelayed, 30, DelayList()));
    EXPECT_EQ(ReadWholeFile(DelayList()), before);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strStartUpTips"));
    EXPECT_EQ(host_.boxes[0].caption, "Tidewell");
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));

    SetValue(MachineRunDisabled, "Paused", "p.exe");
    EXPECT_TRUE(SetStartMode(Find("Paused"), StartDelayed, 2, DelayList()));
    EXPECT_EQ(host_.boxes.size(), 2u) << "the tip follows every delayed choice";
    EXPECT_TRUE(SetStartMode(Find("Paused"), StartPaused, 2, DelayList()));
    EXPECT_EQ(host_.boxes.size(), 2u) << "other modes do not look";
}

TEST_F(StartupEntriesTest, MoveKeepsTheSourceWhenTheTargetCannotBeWritten)
{
    SetValue(MachineRun, "Keep", "keep.exe");
    DeleteKey(MachineRunDisabled);
    EXPECT_FALSE(SetStartMode(Find("Keep"), StartPaused, 1, DelayList()));
    EXPECT_EQ(PlacesOf("Keep"), std::vector<int>{MachineRun});

    std::filesystem::create_directory(DelayList());
    EXPECT_FALSE(SetStartMode(Find("Keep"), StartDelayed, 5, DelayList()));
    EXPECT_EQ(GetValue(MachineRun, "Keep"), "keep.exe");
    std::filesystem::remove(DelayList());

    ASSERT_TRUE(SetStartMode(Find("Keep"), StartDelayed, 5, DelayList()));
    DeleteKey(MachineRunDisabled);
    EXPECT_FALSE(SetStartMode(Find("Keep"), StartPaused, 1, DelayList()));
    EXPECT_EQ(PlacesOf("Keep"), std::vector<int>{Delayed}) << "still delayed, not lost";
}

TEST_F(StartupEntriesTest, FullDelayListRefusesTheHundredFirstAndStillLetsOneGo)
{
    const CDelayList list(DelayList());
    for (int i = 0; i < kMaxStartupItems; ++i)
        ASSERT_TRUE(list.Append({std::string("p").append(std::to_string(i)), "x.exe", Delayed, 1, UserRun}));
    const std::string full = ReadWholeFile(DelayList());
    SetValue(UserRun, "More", "more.exe");
    EXPECT_FALSE(SetStartMode({"More", "more.exe", UserRun}, StartDelayed, 5, DelayList())) << "past the last row";
    EXPECT_EQ(ReadWholeFile(DelayList()), full) << "nothing written";
    EXPECT_EQ(GetValue(UserRun, "More"), "more.exe");
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strDelayListFull"));

    EXPECT_TRUE(SetStartMode(list.ReadItems().front(), StartAtBoot, 1, DelayList()));
    EXPECT_EQ(GetValue(UserRun, "p0"), "x.exe");
    EXPECT_EQ(list.ReadItems().size(), 99u);
}

// Two delayed items of one name: the move and the deletion act on the one picked.
TEST_F(StartupEntriesTest, DelayedTwinsAreToldApartByTheirCommand)
{
    const CDelayList list(DelayList());
    ASSERT_TRUE(list.Append({"Twin", "first.exe", Delayed, 1, UserRun}));
    ASSERT_TRUE(list.Append({"Twin", "second.exe", Delayed, 1, UserRun}));
    const std::vector<StartupItem> twins = list.ReadItems();
    EXPECT_TRUE(SetStartMode(twins[0], StartAtBoot, 1, DelayList()));
    EXPECT_EQ(GetValue(UserRun, "Twin"), "first.exe");
    ASSERT_EQ(list.ReadItems().size(), 1u);
    EXPECT_EQ(list.ReadItems()[0].command, "second.exe");

    ASSERT_TRUE(list.Append({"Twin", "third.exe", Delayed, 1, UserRun}));
    EXPECT_TRUE(DeleteStartupItem(list.ReadItems()[0], DelayList()));
    ASSERT_EQ(list.ReadItems().size(), 1u);
    EXPECT_EQ(list.ReadItems()[0].command, "third.exe");
    EXPECT_FALSE(DeleteStartupItem(twins[1], DelayList())) << "already gone";
}

// A move copies a value's type and bytes; only strings can be delayed, and an expandable one
// comes back expandable.
TEST_F(StartupEntriesTest, ValuesOfEveryTypeMoveExactly)
{
    EnsureDisabledKeys();
    std::string binary(5000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    std::string multi;
    for (int i = 0; i < 500; ++i)
        multi += "part" + std::to_string(i) + '\0';
    multi += '\0';
    const std::pair<DWORD, std::string> values[] = {
        {REG_SZ, std::string(5000, 's') + '\0'},
        {REG_EXPAND_SZ, std::string("%SystemRoot%\\system32\\cmd.exe /c rem ") + '\0'},
        {REG_BINARY, binary},
        {REG_DWORD, std::string("\x01\x00\x00\x80", 4)},
        {REG_MULTI_SZ, multi},
    };
    for (const auto& value : values) {
        SCOPED_TRACE("type " + std::to_string(value.first));
        SetRawValue(MachineRun, "Typed", value.first, value.second);
        const bool isString = value.first == REG_SZ || value.first == REG_EXPAND_SZ;
        EXPECT_EQ(Find("Typed").command, isString ? value.second.substr(0, value.second.size() - 1) : "");

        EXPECT_TRUE(SetStartMode(Find("Typed"), StartPaused, 1, DelayList()));
        EXPECT_EQ(GetRawValue(MachineRunDisabled, "Typed"), value);
        EXPECT_TRUE(SetStartMode(Find("Typed"), StartAtBoot, 1, DelayList()));
        EXPECT_EQ(GetRawValue(MachineRun, "Typed"), value);

        host_.boxes.clear();
        EXPECT_EQ(SetStartMode(Find("Typed"), StartDelayed, 3, DelayList()), isString);
        if (isString) {
            EXPECT_EQ(GetRawValue(MachineRun, "Typed").first, static_cast<DWORD>(REG_NONE));
            EXPECT_TRUE(SetStartMode(Find("Typed"), StartAtBoot, 1, DelayList()));
        } else {
            ASSERT_EQ(host_.boxes.size(), 1u);
            EXPECT_EQ(host_.boxes[0].text, "Typed: " + UiText("strStartupNotCommand"));
            EXPECT_TRUE(CDelayList(DelayList()).ReadItems().empty());
        }
        EXPECT_EQ(GetRawValue(MachineRun, "Typed"), value);
        RemoveStartupValue(MachineRun, "Typed");
    }
    StartupItem expandable;
    expandable.command = "%SystemRoot%\\x.exe";
    expandable.valueType = kValueExpandString;
    char root[MAX_PATH];
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    EXPECT_EQ(CommandToStart(expandable), std::string(root) + "\\x.exe");
}

// On a 64-bit system the 32-bit programs' machine keys are listed with their own kind, checked
// for conflicts, and every move keeps the entry in that view.
TEST_F(StartupEntriesTest, ThirtyTwoBitMachineEntriesStayInTheirView)
{
    EnsureDisabledKeys();
    SetValue(MachineRun32, "Wow", "wow.exe");
    SetValue(MachineRun32, "Orvanta", "own.exe");
    EXPECT_EQ(PlacesOf("Wow"), std::vector<int>{MachineRun32});
    EXPECT_EQ(PlacesOf("Orvanta"), std::vector<int>{}) << "the own entry is hidden in either view";

    EXPECT_TRUE(SetStartMode(Find("Wow"), StartPaused, 1, DelayList()));
    EXPECT_EQ(GetValue(MachineRun32Disabled, "Wow"), "wow.exe");
    EXPECT_EQ(GetValue(MachineRunDisabled, "Wow"), "<missing>");
    EXPECT_TRUE(SetStartMode(Find("Wow"), StartDelayed, 4, DelayList()));
    EXPECT_EQ(Find("Wow").origin, MachineRun32);
    EXPECT_TRUE(SetStartMode(Find("Wow"), StartAtBoot, 1, DelayList()));
    EXPECT_EQ(GetValue(MachineRun32, "Wow"), "wow.exe");
    EXPECT_EQ(GetValue(MachineRun, "Wow"), "<missing>");

    SetValue(MachineRun32Disabled, "WOW", "stale.exe");
    CheckStartupConflicts(DelayList());
    EXPECT_EQ(GetValue(MachineRun32Disabled, "WOW"), "<missing>");
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("\nWOW\n"), std::string::npos);
}

TEST_F(StartupEntriesTest, ConflictsRemoveStaleCopiesAndReportEachOnce)
{
    SetValue(MachineRun, "Tool", "tool.exe");
    SetValue(MachineRunDisabled, "Tool", "old-tool.exe");
    SetValue(MachineRunDisabled, "Alone", "alone.exe");
    SetValue(UserRun, "HELPER", "helper.exe");
    const CDelayList list(DelayList());
    ASSERT_TRUE(list.Append({"First", "f.exe", Delayed, 1, 0}));
    ASSERT_TRUE(list.Append({"helper", "old-helper.exe", Delayed, 2, 5}));
    ASSERT_TRUE(list.Append({"Last", "l.exe", Delayed, 3, 0}));

    CheckStartupConflicts(DelayList());
    EXPECT_EQ(PlacesOf("Tool"), std::vector<int>{MachineRun});
    EXPECT_EQ(GetValue(MachineRun, "Tool"), "tool.exe");
    EXPECT_EQ(PlacesOf("Alone"), std::vector<int>{MachineRunDisabled});
    const std::vector<StartupItem> delayed = list.ReadItems();
    ASSERT_EQ(delayed.size(), 2u);
    EXPECT_EQ(delayed[0].name, "First");
    EXPECT_EQ(delayed[1].name, "Last");

    ASSERT_EQ(host_.boxes.size(), 1u);
    CResourceText texts;
    EXPECT_EQ(host_.boxes[0].text, ConflictMessage({"Tool", "helper"}, texts.Text("IDC_MSCONFIG_BT"),
                                                   texts.Text("strDeleteBootItem"), texts.Text("strBootProtect")));
    EXPECT_EQ(host_.boxes[0].caption, "Tidewell") << "the default title, not \"Error\"";

    CheckStartupConflicts(DelayList());
    EXPECT_EQ(host_.boxes.size(), 1u) << "nothing left to report";
}

} // namespace
