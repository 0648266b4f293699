#include "tools/startup/startup_rules.h"

#include "tools/startup/delay_file.h"
#include "tools/startup/delayed_restore.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

StartupItem Item(int kind, int origin = 0, int delay = 0)
{
    return {"Tool", "C:\\Tool.exe", kind, delay, origin};
}

std::tuple<int, bool, int, int, int, bool> Fields(const StartModePlan& p)
{
    return {p.writeKey, p.appendDelayed, p.origin, p.delay, p.removeKey, p.removeProject};
}

// Per pair of keys: a pause and a start at boot move an entry between them, and the origin a delay
// stores for an entry of each key, which takes it back to the same pair.
struct PairRow {
    int active, paused, activeOrigin, pausedOrigin;
};

const PairRow kPairRows[] = {
    {MachineRun, MachineRunDisabled, MachineRun, MachineRun},
    {MachineRunServices, MachineRunServicesDisabled, MachineRunServices, MachineRunServices},
    {UserRun, UserRunDisabled, UserRun, UserRunDisabled},
    {MachineRun32, MachineRun32Disabled, MachineRun32, MachineRun32},
};

TEST(StartModePlan, EveryKindAndMode)
{
    using Plan = std::tuple<int, bool, int, int, int, bool>;
    const Plan stays{kNoKey, false, 0, 0, kNoKey, false};
    for (const PairRow& r : kPairRows) {
        for (const auto& [kind, origin, atBoot, paused] : {std::tuple{r.active, r.activeOrigin, kNoKey, r.paused},
                                                           std::tuple{r.paused, r.pausedOrigin, r.active, kNoKey}}) {
            SCOPED_TRACE("kind " + std::to_string(kind));
            const auto move = [&](int to) { return to == kNoKey ? stays : Plan{to, false, 0, 0, kind, false}; };
            EXPECT_EQ(Fields(PlanStartMode(Item(kind, 0, 7), StartAtBoot, 25)), move(atBoot));
            EXPECT_EQ(Fields(PlanStartMode(Item(kind, 0, 7), StartPaused, 25)), move(paused));
            EXPECT_EQ(Fields(PlanStartMode(Item(kind, 0, 7), StartDelayed, 25)),
                      (Plan{kNoKey, true, origin, 25, kind, false}))
                << "the chosen minutes";
            const auto back = [&](int to) { return Plan{to, false, 0, 0, kNoKey, true}; };
            EXPECT_EQ(Fields(PlanStartMode(Item(Delayed, origin, 7), StartAtBoot, 25)), back(r.active));
            EXPECT_EQ(Fields(PlanStartMode(Item(Delayed, origin, 7), StartPaused, 25)), back(r.paused));
            EXPECT_FALSE(PlanStartMode(Item(Delayed, origin, 7), StartDelayed, 25).Changes())
                << "the stored delay stays";
        }
    }
    EXPECT_FALSE(PlanStartMode(Item(Delayed, MachineRunDisabled, 7), StartAtBoot, 25).Changes())
        << "no key of that origin";
}

// Only copies in the same pair of keys conflict; the report lists the paused ones, then the delayed.
TEST(StartupConflicts, PausedAndDelayedCopiesOfActiveEntriesIgnoringCase)
{
    const std::string me = "S-1-5-21-1-2-3-1001", other = "S-1-5-21-1-2-3-1002";
    StartupKeyNames keys;
    keys[MachineRun] = {"Alpha", "beta"};
    keys[MachineRunServices] = {"Svc"};
    keys[MachineRunDisabled] = {"ALPHA", "svc"};
    keys[MachineRunServicesDisabled] = {"svc"};
    keys[MachineRun32Disabled] = {"alpha"};
    keys[UserRun] = {"mine", "theirs", "old", "machinewide"};
    const auto delayed = [](const char* name, int origin, std::string owner = {}) {
        StartupItem item{name, "x.exe", Delayed, 1, origin};
        item.owner = std::move(owner);
        return item;
    };
    // Each delayed copy meets only its own origin's key, and a user's only its owner's.
    const std::vector<StartupItem> items = {delayed("Delta", MachineRun),          delayed("BETA", MachineRun),
                                            delayed("MINE", UserRun, me),          delayed("Theirs", UserRun, other),
                                            delayed("Old", UserRunDisabled),       delayed("MachineWide", MachineRun)};
    const ConflictPlan plan = PlanStartupConflicts(keys, items, me);
    using Deletion = std::pair<int, std::string>;
    EXPECT_EQ(plan.deleteValues,
              (std::vector<Deletion>{{MachineRunDisabled, "ALPHA"}, {MachineRunServicesDisabled, "svc"}}));
    EXPECT_EQ(plan.report, (std::vector<std::string>{"ALPHA", "svc", "BETA", "MINE", "Old"}));
    ASSERT_EQ(plan.removeItems.size(), 3u);
    EXPECT_EQ(plan.removeItems[1].owner, me);
    // The button's text without its keyboard mark, then one blank, in either language's form.
    EXPECT_EQ(ConflictMessage({"ALPHA", std::string("\0svc", 4)}, "Sta&rtup manager", "Tidewell", "Keep it."),
              "Startup manager Tidewell:\n\nALPHA\n[NUL]svc\n\nKeep it.\n");
    EXPECT_EQ(ConflictMessage({"A"}, "启动项管理(&R)", "提示", "Ok"), "启动项管理 提示:\n\nA\n\nOk\n");
    EXPECT_EQ(ConflictMessage({"A"}, "Startup ", "removed", "Ok"), "Startup removed:\n\nA\n\nOk\n");
}

// The list's columns: the file whose icon is shown, the command and the status.
TEST(StartupList, IconCommandAndStatusTexts)
{
    const std::pair<const char*, const char*> icons[] = {
        {"\"C:\\Program Files\\Tool\\tool.exe\" /min", "\"C:\\Program"},
        {"C:\\Windows\\tool.exe.bak", "C:\\Windows\\tool.exe"},
        {"C:\\dir.d\\tool.exe", "C:\\dir.d\\t"},
        {"rundll32", "rundll32"},
    };
    for (const auto& [command, path] : icons)
        EXPECT_EQ(IconPathOfCommand(command), path) << command;

    // A value that is no string shows its type and contents and never passes for a command line.
    std::string longBinary = "REG_BINARY:";
    for (int i = 0; i < 64; ++i)
        longBinary += " 01";
    const struct {
        std::uint32_t type;
        std::string data, text;
    } values[] = {
        {kValueString, std::string("a.exe\0junk", 10), "C:\\Tool.exe"},
        {kValueDword, std::string("\x2A\x00\x00\x01", 4), "REG_DWORD: 16777258"},
        {kValueDword, std::string("\x2A\x00\x00\x01\x00\x00\x00\x00", 8), "REG_DWORD: 2A 00 00 01 00 00 00 00"},
        {kValueBinary, std::string("\x00\xFFz", 3), "REG_BINARY: 00 FF 7A"},
        {kValueBinary, std::string(65, '\x01'), longBinary + " ..."},
        {kValueMultiString, std::string("one\0two\0\0", 9), "REG_MULTI_SZ: one | two"},
        {kValueQword, std::string(2, '\0'), "REG_QWORD: 00 00"},
        {99, "", "REG_99: "},
    };
    for (const auto& v : values) {
        StartupItem item = Item(MachineRun);
        item.valueType = v.type;
        item.data = v.data;
        EXPECT_EQ(CommandText(item), v.text) << v.type;
        EXPECT_EQ(HoldsCommand(item), v.type == kValueString || v.type == kValueExpandString) << v.type;
    }

    // Names show every control character; one that holds a NUL never passes for the own entry.
    EXPECT_EQ(ShownName(std::string("\0Run\r\n\x1F\x7F\xC3\xBC", 10)), "[NUL]Run[CR][LF][US][DEL]\xC3\xBC");
    // An unpaired surrogate, held in UTF-8's form, shows as its unit; its neighbours are text.
    EXPECT_EQ(ShownName("Lone\xED\xA0\x80!\xED\x9F\xBF\xED\xBF\xBF"), "Lone[U+D800]!\xED\x9F\xBF[U+DFFF]");
    EXPECT_FALSE(FitsDelayFile({"Lone\xED\xB0\x80", "a.exe"})) << "no text file keeps it";
    EXPECT_TRUE(FitsDelayFile({"Hangul \xED\x9F\xBF", "a.exe"}));
    EXPECT_TRUE(IsOwnEntryName("OrvantaHelper"));
    EXPECT_FALSE(IsOwnEntryName(std::string("\0Orvanta", 8)));

    // The dialog's scenario lists the other kinds and a delayed entry in English.
    for (const int kind : {MachineRunServicesDisabled, MachineRun32Disabled})
        EXPECT_EQ(StatusText(Item(kind), "on", "off", "Delayed by", "Minutes"), "off") << kind;
    EXPECT_EQ(StatusText(Item(Delayed, 0, 5), "on", "off", "延迟", "分钟"), "延迟 5 分钟");
}

// What a removal puts back from a list as users leave it: every origin and both string types go
// back to their key as the string they were; what has no key, no string or no name stays listed,
// and so do a user's entries when the removal cannot reach that user's registry.
TEST(DelayedRestore, EachEntryBackToItsRunKeyAsTheStringItWas)
{
    const auto delayed = [](const std::string& name, int origin, std::uint32_t type = kValueString) {
        StartupItem item{name, "\"C:\\Program Files\\" + name + ".exe\" /min", Delayed, 5, origin};
        item.valueType = type;
        return item;
    };
    const std::vector<StartupItem> items = {
        delayed("Machine", MachineRun),   delayed("Services", MachineRunServices),
        delayed("User", UserRun),         delayed("PausedUser", UserRunDisabled),
        delayed("Wow", MachineRun32),     delayed("Expand", MachineRun, kValueExpandString),
        delayed("NoKey", MachineRunDisabled), delayed("Odd", 99),
        delayed("Binary", MachineRun, kValueBinary), delayed("", MachineRun)};
    const std::pair<int, std::uint32_t> back[] = {{MachineRun, kValueString},   {MachineRunServices, kValueString},
                                                  {UserRun, kValueString},      {UserRun, kValueString},
                                                  {MachineRun32, kValueString}, {MachineRun, kValueExpandString}};
    const std::string remover = "S-1-5-21-1-2-3-1001";
    for (const bool userReachable : {true, false}) {
        const RestorePlan plan =
            PlanDelayedRestore(items, remover, [&](const std::string& account) { return userReachable && account == remover; });
        std::vector<size_t> kept = {6, 7, 8, 9}, planned;
        for (const RestoreStep& step : plan.steps) {
            planned.push_back(step.item);
            ASSERT_LT(step.item, std::size(back));
            EXPECT_EQ(std::make_pair(step.key, step.type), back[step.item]) << items[step.item].name;
            EXPECT_EQ(step.bytes, items[step.item].command + std::string(1, '\0'));
            EXPECT_EQ(step.account, IsUserKind(step.key) ? remover : "") << "an entry of no owner goes to the remover";
        }
        if (!userReachable)
            kept.insert(kept.begin(), {2, 3});
        EXPECT_EQ(plan.kept, kept) << userReachable;
        EXPECT_EQ(planned.size() + plan.kept.size(), items.size());
    }
    // Another account's entry goes back only into that account's registry.
    StartupItem theirs = delayed("Theirs", UserRun);
    theirs.owner = "S-1-5-21-1-2-3-1002";
    EXPECT_EQ(PlanDelayedRestore({theirs}, remover, [&](const std::string& a) { return a == remover; }).kept,
              std::vector<size_t>{0});
    EXPECT_EQ(PlanDelayedRestore({theirs}, remover, [&](const std::string& a) { return a == theirs.owner; }).steps.at(0).account,
              theirs.owner);
    for (const auto& [sid, personal] : {std::pair{"S-1-5-21-1-2-3-1001", true}, {"S-1-12-1-4-5-6-7", true},
                                        {"S-1-5-18", false}, {"S-1-5-19", false}, {"S-1-5-20", false}, {"", false}})
        EXPECT_EQ(IsPersonalAccount(sid), personal) << sid;
}

} // namespace
