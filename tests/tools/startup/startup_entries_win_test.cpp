#include "tools/startup/startup_entries_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <tuple>

#include "app/settings/logon_task.h"
#include "app/settings/settings_win.h"
#include "common/account_win.h"
#include "common/clock.h"
#include "common/resource_text.h"
#include "common/file_bytes.h"
#include "support/child_process_win.h"
#include "support/message_pump_win.h"
#include "support/startup_fixture_win.h"
#include "tools/startup/delay_launcher_win.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/delayed_restore_win.h"

using namespace startup_testing;

namespace {

class StartupEntriesTest : public testing::Test {
protected:
    StartupState state_{"startup-entries"};
    RecordingHost host_;
    const CDelayList list_{state_.DelayList()};

    void TearDown() override { SetTickCountSource(nullptr); }

    std::vector<StartupItem> Listed(const std::string& name) const
    {
        std::vector<StartupItem> table, named;
        LoadStartupItems(table, state_.DelayList());
        std::ranges::copy_if(table, std::back_inserter(named), [&](const StartupItem& i) { return i.name == name; });
        return named;
    }
    bool Set(const std::string& name, int mode, int minutes = 1) const
    {
        return SetStartMode(Listed(name).at(0), mode, minutes, state_.DelayList());
    }
};

// Each value walks paused, active, delayed and back in its own pair of keys, its type and bytes
// kept; only strings can be delayed, and an expandable one comes back expandable. Every delayed
// choice warns while Tidewell does not start with Windows, by its Run value or its logon task.
TEST_F(StartupEntriesTest, EveryMoveKeepsTheValueItsTypeAndItsView)
{
    EnsureDisabledKeys();
    RemoveStartupValue(MachineRun, "Orvanta");
    EXPECT_TRUE(DeleteTask(kLogonTaskName)) << "none there or not, none after";
    const std::string binary = std::string(2500, '\0') + std::string(2500, '\xA5') + '\0';
    const std::tuple<int, int, DWORD, std::string> routes[] = {
        {MachineRun, MachineRunDisabled, REG_BINARY, binary},
        {MachineRun, MachineRunDisabled, REG_DWORD, std::string("\x01\x00\x00\x80", 4)},
        {MachineRunServices, MachineRunServicesDisabled, REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {UserRun, UserRunDisabled, REG_EXPAND_SZ, std::string("%SystemRoot%\\system32\\cmd.exe /c rem") + '\0'},
        {MachineRun32, MachineRun32Disabled, REG_SZ, "\"C:\\" + std::string(5000, 's') + "\" /q" + '\0'},
    };
    for (const auto& [active, paused, type, data] : routes) {
        SCOPED_TRACE("kind " + std::to_string(active) + " type " + std::to_string(type));
        const std::pair<DWORD, std::string> value{type, data};
        SetRawValue(active, "Trip", type, data);
        EXPECT_TRUE(Set("Trip", StartPaused));
        EXPECT_EQ(GetRawValue(paused, "Trip"), value);
        EXPECT_TRUE(Set("Trip", StartAtBoot));

        const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
        EXPECT_EQ(Set("Trip", StartDelayed, 9), isString);
        if (isString) {
            EXPECT_TRUE(Set("Trip", StartPaused));
            EXPECT_EQ(GetRawValue(paused, "Trip"), value);
            EXPECT_TRUE(Set("Trip", StartDelayed, 2));
            EXPECT_TRUE(Set("Trip", StartAtBoot));
        }
        ASSERT_EQ(host_.boxes.size(), isString ? 2u : 1u);
        EXPECT_EQ(host_.boxes.back().text,
                  isString ? UiText("strStartUpTips") : "Trip: " + UiText("strStartupNotCommand"));
        host_.boxes.clear();
        EXPECT_EQ(GetRawValue(active, "Trip"), value);
        EXPECT_TRUE(DeleteStartupItem(Listed("Trip").at(0), state_.DelayList()));
    }

    // The logon task as built, registered for real: Tidewell starts with Windows, so a delayed choice
    // does not warn, and the box reads ticked, for every user: nothing in the task or in the check
    // names one (Wine's service keeps neither the trigger nor the run level).
    ASSERT_TRUE(RegisterTask(kLogonTaskName, LogonTaskXml("C:\\T\\Tidewell.exe")));
    EXPECT_FALSE(RegisterTask(kLogonTaskName, "<Task>")) << "a broken definition is refused";
    SetValue(UserRun, "More", "more.exe");
    EXPECT_TRUE(Set("More", StartDelayed, 3));
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot) << "the box";
    EXPECT_TRUE(DeleteTask(kLogonTaskName));
    EXPECT_FALSE(ReadConstructionSettings().runAfterBoot) << "deleted";
    EXPECT_TRUE(host_.boxes.empty());
}

// The target is written first: when it cannot be, the entry stays where it was. A full list
// refuses more and says so. Delayed items of one name are told apart by their command.
TEST_F(StartupEntriesTest, RefusedMovesKeepTheEntryWhereItWasAndTwinsAreToldApart)
{
    SetValue(MachineRun, "Keep", "keep.exe");
    DeleteKey(MachineRunDisabled);
    EXPECT_FALSE(Set("Keep", StartPaused));
    EXPECT_EQ(GetRawValue(MachineRun, "Keep").first, static_cast<DWORD>(REG_SZ));
    std::filesystem::create_directory(state_.DelayList());
    EXPECT_FALSE(Set("Keep", StartDelayed, 5));
    EXPECT_EQ(GetRawValue(MachineRun, "Keep").first, static_cast<DWORD>(REG_SZ));
    std::filesystem::remove(state_.DelayList());

    for (int i = 0; i < kMaxStartupItems; ++i)
        ASSERT_TRUE(list_.Append({"Twin", "t" + std::to_string(i) + ".exe", Delayed, 1, UserRun}));
    EXPECT_FALSE(SetStartMode({"More", "more.exe", UserRun}, StartDelayed, 5, state_.DelayList()));
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strDelayUnreadable")) << "a folder in the list's place";
    EXPECT_EQ(host_.boxes[1].text, UiText("strDelayListFull"));

    const std::vector<StartupItem> twins = list_.ReadItems();
    EXPECT_TRUE(SetStartMode(twins[0], StartAtBoot, 1, state_.DelayList()));
    EXPECT_TRUE(DeleteStartupItem(twins[1], state_.DelayList()));
    const std::vector<StartupItem> left = list_.ReadItems();
    EXPECT_EQ(left.front().command + " " + left.back().command, "t2.exe t99.exe");
}

// A name that begins with a NUL hides from the Reg*A calls, and one with an unpaired surrogate
// does not survive a code page. Each is listed, and every action reaches exactly that value, never
// the key's unnamed value that a name cut at its NUL would reach, nor a copy under a changed name.
// A delete of a name that is not there is no success.
TEST_F(StartupEntriesTest, NamesTheAnsiCallsCannotCarryAreListedMovedAndDeletedByTheirWholeName)
{
    const struct {
        std::wstring counted;
        std::string name, shown, refusal;
    } cases[] = {{std::wstring(L"\0Hidden", 7), std::string("\0Hidden", 7), "[NUL]Hidden", "strDelayNotOneLine"},
                 {L"Lone\xD800", "Lone\xED\xA0\x80", "Lone[U+D800]", "strDelayNotText"}};
    EnsureDisabledKeys();
    SetValue(MachineRun, "", "unnamed.exe");
    for (const auto& c : cases) {
        const std::wstring data(L"C:\\hidden.exe\0", 14);
        const PlantedValue planted(MachineRun, c.counted, L"C:\\hidden.exe");
        ASSERT_EQ(Listed(c.name).size(), 1u) << c.shown;
        EXPECT_TRUE(Set(c.name, StartPaused)) << c.shown;
        EXPECT_EQ(CountedValues(MachineRunDisabled), (std::map<std::wstring, std::wstring>{{c.counted, data}}));
        EXPECT_EQ(CountedValues(MachineRun).count(c.counted), 0u);
        EXPECT_TRUE(Set(c.name, StartAtBoot));
        EXPECT_TRUE(CountedValues(MachineRunDisabled).empty());
        host_.boxes.clear();
        EXPECT_FALSE(Set(c.name, StartDelayed, 5)) << "Delay.ini is a text file";
        EXPECT_EQ(host_.boxes.at(0).text, c.shown + ": " + UiText(c.refusal));
        EXPECT_EQ(CountedValues(MachineRun)[c.counted], data);
        const StartupItem listed = Listed(c.name).at(0);
        EXPECT_TRUE(DeleteStartupItem(listed, state_.DelayList()));
        EXPECT_EQ(CountedValues(MachineRun).count(c.counted), 0u);
        EXPECT_FALSE(DeleteStartupItem(listed, state_.DelayList())) << "gone already";
        EXPECT_EQ(CountedValues(MachineRun)[L""], L"unnamed.exe" + std::wstring(1, L'\0'));
    }
}

// The launcher checks conflicts on its first tick only; what that removes still starts in this
// run. A Delay.ini a plain user could change starts nothing. Two accounts share the one list: the
// other account's own entry neither starts here nor meets this account's Run key, and a user entry
// of no recorded owner (an older list) becomes this account's.
TEST_F(StartupEntriesTest, LauncherStartsEachItemInItsMinuteAcrossTheTickWrap)
{
    for (const char* name : {"soon", "later"})
        ASSERT_TRUE(list_.Append({name, std::string(name) + ".exe", Delayed, name[0] == 'l' ? 1 : 0}));
    ASSERT_TRUE(list_.Append({"Again", "Again.exe", Delayed, 0, UserRun}));
    StartupItem theirs{"Theirs", "theirs.exe", Delayed, 0, UserRun};
    theirs.owner = "S-1-5-21-9-9-9-1001";
    ASSERT_TRUE(list_.Append(theirs));
    SetValue(UserRun, "AGAIN", "again.exe");
    SetValue(UserRun, "THEIRS", "mine.exe");
    std::uint32_t now = 0xFFFFFFFFu - 20000u; // the tick counter wraps within the first minute
    SetTickCountSource([&] { return now; });
    std::vector<std::string> started;
    const auto record = [&](const StartupItem& item) {
        started.push_back(item.command);
        return true;
    };
    state_.places.protectedPlace = false;
    CDelayLauncher planted(state_.DelayList(), record);
    planted.Start();
    state_.places.protectedPlace = true;
    CDelayLauncher launcher(state_.DelayList(), record);
    launcher.Start();

    now += 250;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(started, (std::vector<std::string>{"soon.exe", "Again.exe"})) << "file order, only this account's";
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("\nAgain\n"), std::string::npos);
    EXPECT_EQ(host_.boxes[0].text.find("Theirs"), std::string::npos);
    std::vector<std::string> owners;
    for (const StartupItem& item : list_.ReadItems())
        owners.push_back(item.name + "=" + item.owner);
    EXPECT_EQ(owners, (std::vector<std::string>{"soon=", "later=", "Theirs=" + theirs.owner}));
    EXPECT_FALSE(planted.OnTick());
    SetValue(UserRun, "later", "later.exe");
    now += 59750;
    EXPECT_FALSE(launcher.OnTick()) << "every item started: the timer stays off";
    EXPECT_EQ(host_.boxes.size(), 1u) << "once per run";
    EXPECT_EQ(started, (std::vector<std::string>{"soon.exe", "Again.exe", "later.exe"}));
}

// Another program holds Delay.ini open without sharing, as any reader could while the list was
// readable by users: nothing takes it for empty. The manager lists no delayed entry and says why, a
// delaying is refused with the entry left where it is, the removal leaves the list alone, and the
// launcher tries again at its next minute and then starts what came due meanwhile.
TEST_F(StartupEntriesTest, AHeldDelayListIsNeverTakenForEmpty)
{
    ASSERT_TRUE(list_.Append({"early", "early.exe", Delayed, 0, 0}));
    ASSERT_TRUE(list_.Append({"onTime", "ontime.exe", Delayed, 1, 0}));
    SetValue(MachineRun, "Active", "active.exe");
    std::uint32_t now = 1000;
    SetTickCountSource([&] { return now; });
    std::vector<std::string> started;
    CDelayLauncher launcher(state_.DelayList(), [&](const StartupItem& item) {
        started.push_back(item.command);
        return true;
    });
    {
        const testing_support::ChildProcess holder(
            "\"" + (testing_support::TestProgramFolder() / "sleeper_child.exe").string() + "\" hold " + state_.DelayList());
        std::string bytes;
        ASSERT_TRUE(testing_support::PumpUntil(
            [&] { return ReadFileBytes(state_.DelayList(), bytes) == FileRead::Unreadable; }, 30000));
        EXPECT_TRUE(Listed("early").empty());
        EXPECT_FALSE(list_.Readable());
        EXPECT_FALSE(Set("Active", StartDelayed));
        ASSERT_EQ(host_.boxes.size(), 1u);
        EXPECT_EQ(host_.boxes[0].text, UiText("strDelayUnreadable"));
        EXPECT_EQ(Listed("Active").at(0).kind, MachineRun) << "the entry stays where it was";
        EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), OwnUserSid()), RestoreOutcome::LeftAlone);
        launcher.Start();
        now += 250;
        EXPECT_TRUE(launcher.OnTick()) << "the launcher waits for the list";
        EXPECT_TRUE(launcher.WaitingForList());
    }
    now += 60000;
    EXPECT_FALSE(launcher.OnTick());
    EXPECT_EQ(started, (std::vector<std::string>{"early.exe", "ontime.exe"})) << "the missed minute's item too";
    EXPECT_EQ(Listed("early").size(), 1u) << "the entries themselves were kept";
}

// The removal puts each delayed entry back into the key and view it came from, type and bytes as
// the key held them, before the list goes. From a list users could have written nothing goes back
// and the list stays; an entry that cannot go back (no registry of its owner, a different value of
// its name already there) stays listed.
TEST_F(StartupEntriesTest, RemovalPutsDelayedEntriesBackBeforeTheListGoes)
{
    const std::pair<int, std::pair<DWORD, std::string>> entries[] = {
        {MachineRun, {REG_SZ, std::string("\"C:\\Program Files\\M\\m.exe\" /q") + '\0'}},
        {UserRun, {REG_EXPAND_SZ, std::string("%SystemRoot%\\u.exe") + '\0'}},
        {MachineRun32, {REG_SZ, std::string("w.exe") + '\0'}},
        {MachineRunServices, {REG_SZ, std::string("taken.exe") + '\0'}},
    };
    const char* names[] = {"Machine", "User", "Wow", "Taken"};
    for (size_t i = 0; i < std::size(entries); ++i) {
        SetRawValue(entries[i].first, names[i], entries[i].second.first, entries[i].second.second);
        ASSERT_TRUE(Set(names[i], StartDelayed, 3)) << names[i];
    }
    SetValue(MachineRunServices, "Taken", "someone-else.exe");
    const std::string listed = testing_support::ReadWholeFile(state_.DelayList());
    const auto left = [&] {
        std::string names;
        for (const StartupItem& item : list_.ReadItems())
            names += item.name + " ";
        return names;
    };

    state_.places.protectedPlace = false;
    EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), OwnUserSid()), RestoreOutcome::LeftAlone);
    EXPECT_EQ(testing_support::ReadWholeFile(state_.DelayList()), listed);
    EXPECT_EQ(GetRawValue(MachineRun, "Machine").second, "<missing>");
    state_.places.protectedPlace = true;

    // Another account's entry, whose registry is not loaded, waits in the list; this account's goes
    // back to its owner whoever removes.
    StartupItem theirs{"Theirs", "theirs.exe", Delayed, 3, UserRun};
    theirs.owner = "S-1-5-21-9-9-9-1001";
    ASSERT_TRUE(list_.Append(theirs));
    EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), "S-1-5-18"), RestoreOutcome::SomeKept);
    EXPECT_EQ(left(), "Taken Theirs ");
    EXPECT_EQ(GetRawValue(MachineRunServices, "Taken"),
              (std::pair<DWORD, std::string>{REG_SZ, std::string("someone-else.exe") + '\0'}));
    for (size_t i = 0; i + 1 < std::size(entries); ++i)
        EXPECT_EQ(GetRawValue(entries[i].first, names[i]), entries[i].second) << names[i];

    // An entry of no recorded owner goes to the remover's registry, when it is a person's.
    RemoveStartupValue(MachineRunServices, "Taken");
    ASSERT_TRUE(list_.RemoveItem(theirs));
    ASSERT_TRUE(list_.Append({"Old", "old.exe", Delayed, 3, UserRun}));
    EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), "S-1-5-18"), RestoreOutcome::SomeKept);
    EXPECT_EQ(left(), "Old ");
    EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), OwnUserSid()), RestoreOutcome::AllBack);
    EXPECT_FALSE(std::filesystem::exists(state_.DelayList()));
    EXPECT_EQ(GetRawValue(MachineRunServices, "Taken"), entries[3].second);
    EXPECT_EQ(GetRawValue(UserRun, "Old"), (std::pair<DWORD, std::string>{REG_SZ, std::string("old.exe") + '\0'}));
    EXPECT_EQ(RestoreDelayedEntries(state_.DelayList(), OwnUserSid()), RestoreOutcome::NoList);
}

} // namespace
