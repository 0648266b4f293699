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
    const CDelayList list_{state_.DelayList()};

    std::vector<StartupItem> Load() const
    {
        std::vector<StartupItem> table;
        LoadStartupItems(table, state_.DelayList());
        return table;
    }
    // The kinds of every listed entry of that name.
    std::vector<int> Places(const std::string& name) const
    {
        std::vector<int> kinds;
        for (const StartupItem& item : Load())
            if (item.name == name)
                kinds.push_back(item.kind);
        return kinds;
    }
    StartupItem Find(const std::string& name) const
    {
        for (const StartupItem& item : Load())
            if (item.name == name)
                return item;
        ADD_FAILURE() << name << " is not listed";
        return {};
    }
    bool Set(const StartupItem& item, int mode, int minutes = 1) const
    {
        return SetStartMode(item, mode, minutes, state_.DelayList());
    }
};

TEST_F(StartupEntriesTest, ListsEveryPlaceInOrderWithoutTheOwnEntry)
{
    SetValue(UserRunDisabled, "u-off", "uoff.exe");
    SetValue(UserRun, "Orvanta", "listed.exe");
    SetValue(MachineRun32Disabled, "w-off", "woff.exe");
    SetValue(MachineRunServicesDisabled, "s-off", "soff.exe");
    SetValue(MachineRunDisabled, "m-off", "moff.exe");
    SetValue(MachineRunServices, "s-on", "son.exe");
    SetValue(MachineRun32, "Orvanta", "own.exe");
    SetValue(MachineRun32, "w-on", "won.exe");
    SetValue(MachineRun, "OrvantaHelper", "hidden.exe");
    SetValue(MachineRun, "m-on", "mon.exe");
    ASSERT_TRUE(list_.Append({"d-one", "d1.exe", Delayed, 5, 0}));
    std::vector<std::string> names;
    for (const StartupItem& item : Load())
        names.push_back(item.name);
    EXPECT_EQ(names, (std::vector<std::string>{"m-on", "w-on", "s-on", "d-one", "m-off", "w-off", "s-off", "Orvanta",
                                               "u-off"}));
}

// Each value walks paused, active, delayed and back in its own pair of keys, its type and bytes
// kept; only strings can be delayed, and an expandable one comes back expandable.
TEST_F(StartupEntriesTest, EveryMoveKeepsTheValueItsTypeAndItsView)
{
    EnsureDisabledKeys();
    std::string binary(5000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    std::string multi;
    for (int i = 0; i < 500; ++i)
        multi += "part" + std::to_string(i) + '\0';
    struct Route {
        int active, paused, activeOrigin, pausedOrigin;
        DWORD type;
        std::string data;
    };
    const Route routes[] = {
        {MachineRun, MachineRunDisabled, 0, 0, REG_BINARY, binary},
        {MachineRun, MachineRunDisabled, 0, 0, REG_DWORD, std::string("\x01\x00\x00\x80", 4)},
        {MachineRunServices, MachineRunServicesDisabled, 1, 1, REG_MULTI_SZ, multi + '\0'},
        {UserRun, UserRunDisabled, 5, 6, REG_EXPAND_SZ, std::string("%SystemRoot%\\system32\\cmd.exe /c rem") + '\0'},
        {MachineRun32, MachineRun32Disabled, 7, 7, REG_SZ, "\"C:\\" + std::string(5000, 's') + "\" /q" + '\0'},
    };
    for (const Route& r : routes) {
        SCOPED_TRACE("kind " + std::to_string(r.active) + " type " + std::to_string(r.type));
        const std::pair<DWORD, std::string> value{r.type, r.data};
        SetRawValue(r.active, "Trip", r.type, r.data);
        EXPECT_TRUE(Set(Find("Trip"), StartPaused));
        EXPECT_EQ(Places("Trip"), std::vector<int>{r.paused});
        EXPECT_EQ(GetRawValue(r.paused, "Trip"), value);
        EXPECT_TRUE(Set(Find("Trip"), StartAtBoot));

        const bool isString = r.type == REG_SZ || r.type == REG_EXPAND_SZ;
        EXPECT_EQ(Set(Find("Trip"), StartDelayed, 9), isString);
        if (isString) {
            EXPECT_EQ(Places("Trip"), std::vector<int>{Delayed});
            EXPECT_EQ(Find("Trip").origin, r.activeOrigin);
            EXPECT_EQ(Find("Trip").delay, 9);
            EXPECT_TRUE(Set(Find("Trip"), StartPaused));
            EXPECT_EQ(GetRawValue(r.paused, "Trip"), value);
            EXPECT_TRUE(Set(Find("Trip"), StartDelayed, 2));
            EXPECT_EQ(Find("Trip").origin, r.pausedOrigin);
            EXPECT_TRUE(Set(Find("Trip"), StartAtBoot));
            EXPECT_TRUE(host_.boxes.empty()) << "the own entry is present";
        } else {
            ASSERT_EQ(host_.boxes.size(), 1u);
            EXPECT_EQ(host_.boxes[0].text, "Trip: " + UiText("strStartupNotCommand"));
            host_.boxes.clear();
        }
        EXPECT_EQ(Places("Trip"), std::vector<int>{r.active});
        EXPECT_EQ(GetRawValue(r.active, "Trip"), value);
        EXPECT_TRUE(DeleteStartupItem(Find("Trip"), state_.DelayList()));
    }
    EXPECT_TRUE(Load().empty());
}

TEST_F(StartupEntriesTest, MoveKeepsTheSourceWhenTheTargetCannotBeWritten)
{
    SetValue(MachineRun, "Keep", "keep.exe");
    DeleteKey(MachineRunDisabled);
    EXPECT_FALSE(Set(Find("Keep"), StartPaused));
    EXPECT_EQ(Places("Keep"), std::vector<int>{MachineRun});

    std::filesystem::create_directory(state_.DelayList());
    EXPECT_FALSE(Set(Find("Keep"), StartDelayed, 5));
    EXPECT_EQ(Places("Keep"), std::vector<int>{MachineRun});
    std::filesystem::remove(state_.DelayList());

    ASSERT_TRUE(Set(Find("Keep"), StartDelayed, 5));
    EXPECT_FALSE(Set(Find("Keep"), StartPaused));
    EXPECT_EQ(Places("Keep"), std::vector<int>{Delayed}) << "still delayed, not lost";
}

// Every delayed choice looks for the own entry, which the delayed items depend on; a full list
// refuses more.
TEST_F(StartupEntriesTest, DelayingTellsOfAMissingOwnEntryAndAFullList)
{
    EnsureDisabledKeys();
    SetValue(UserRun, "Again", "again.exe");
    ASSERT_TRUE(Set(Find("Again"), StartDelayed, 4));
    const std::string before = ReadWholeFile(state_.DelayList());
    EXPECT_TRUE(host_.boxes.empty());

    RemoveStartupValue(MachineRun, "Orvanta");
    EXPECT_FALSE(Set(Find("Again"), StartDelayed, 30)) << "delaying again keeps the stored delay";
    EXPECT_EQ(ReadWholeFile(state_.DelayList()), before);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strStartUpTips"));
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_TRUE(Set(Find("Again"), StartPaused));
    EXPECT_EQ(host_.boxes.size(), 1u) << "other modes do not look";

    const StartupItem paused = Find("Again"); // past the last row once the list is full
    for (int i = 0; i < kMaxStartupItems; ++i)
        ASSERT_TRUE(list_.Append({"p" + std::to_string(i), "x.exe", Delayed, 1, UserRun}));
    const std::string full = ReadWholeFile(state_.DelayList());
    EXPECT_FALSE(Set(paused, StartDelayed, 5));
    EXPECT_EQ(ReadWholeFile(state_.DelayList()), full);
    EXPECT_EQ(GetValue(UserRunDisabled, "Again"), "again.exe");
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, UiText("strDelayListFull"));
}

// Two delayed items of one name: the move and the deletion act on the one picked.
TEST_F(StartupEntriesTest, DelayedTwinsAreToldApartByTheirCommand)
{
    for (const char* command : {"first.exe", "second.exe"})
        ASSERT_TRUE(list_.Append({"Twin", command, Delayed, 1, UserRun}));
    const std::vector<StartupItem> twins = list_.ReadItems();
    EXPECT_TRUE(Set(twins[0], StartAtBoot));
    EXPECT_EQ(GetValue(UserRun, "Twin"), "first.exe");
    ASSERT_TRUE(list_.Append({"Twin", "third.exe", Delayed, 1, UserRun}));
    EXPECT_TRUE(DeleteStartupItem(twins[1], state_.DelayList()));
    EXPECT_FALSE(DeleteStartupItem(twins[1], state_.DelayList())) << "already gone";
    ASSERT_EQ(list_.ReadItems().size(), 1u);
    EXPECT_EQ(list_.ReadItems()[0].command, "third.exe");
}

TEST_F(StartupEntriesTest, ConflictsRemoveStaleCopiesInEitherViewAndReportEachOnce)
{
    SetValue(MachineRun, "Tool", "tool.exe");
    SetValue(MachineRunDisabled, "Tool", "old-tool.exe");
    SetValue(MachineRunDisabled, "Alone", "alone.exe");
    SetValue(MachineRun32, "Wow", "wow.exe");
    SetValue(MachineRun32Disabled, "WOW", "stale.exe");
    SetValue(UserRun, "HELPER", "helper.exe");
    for (const char* name : {"First", "helper", "Last"})
        ASSERT_TRUE(list_.Append({name, "d.exe", Delayed, 1, UserRun}));

    CheckStartupConflicts(state_.DelayList());
    std::vector<std::pair<std::string, int>> listed;
    for (const StartupItem& item : Load())
        listed.emplace_back(item.name, item.kind);
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, int>>{{"Tool", MachineRun},
                                                                {"Wow", MachineRun32},
                                                                {"First", Delayed},
                                                                {"Last", Delayed},
                                                                {"Alone", MachineRunDisabled},
                                                                {"HELPER", UserRun}}));
    EXPECT_EQ(GetValue(MachineRun, "Tool"), "tool.exe");
    ASSERT_EQ(host_.boxes.size(), 1u);
    CResourceText texts;
    EXPECT_EQ(host_.boxes[0].text, ConflictMessage({"Tool", "WOW", "helper"}, texts.Text("IDC_MSCONFIG_BT"),
                                                   texts.Text("strDeleteBootItem"), texts.Text("strBootProtect")));
    EXPECT_EQ(host_.boxes[0].caption, "Tidewell") << "the default title, not \"Error\"";

    CheckStartupConflicts(state_.DelayList());
    EXPECT_EQ(host_.boxes.size(), 1u) << "nothing left to report";
}

} // namespace
