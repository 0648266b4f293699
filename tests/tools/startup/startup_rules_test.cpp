#include "tools/startup/startup_rules.h"

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

// Per registry kind: the key a start at boot and a pause move it to (kNoKey: it stays), and the
// origin a delay stores. A move always removes the entry from the kind's own key.
struct KeyRow {
    int kind, atBoot, paused, delayOrigin;
};

const KeyRow kKeyRows[] = {
    {MachineRun, kNoKey, MachineRunDisabled, MachineRun},
    {MachineRunServices, kNoKey, MachineRunServicesDisabled, MachineRunServices},
    {UserRun, kNoKey, UserRunDisabled, UserRun},
    {MachineRun32, kNoKey, MachineRun32Disabled, MachineRun32},
    {MachineRunDisabled, MachineRun, kNoKey, MachineRun},
    {MachineRunServicesDisabled, MachineRunServices, kNoKey, MachineRunServices},
    {UserRunDisabled, UserRun, kNoKey, UserRunDisabled},
    {MachineRun32Disabled, MachineRun32, kNoKey, MachineRun32},
};

// Per origin of a delayed item: where a start at boot and a pause put it back.
const std::tuple<int, int, int> kDelayedRows[] = {
    {MachineRun, MachineRun, MachineRunDisabled},
    {MachineRunServices, MachineRunServices, MachineRunServicesDisabled},
    {UserRun, UserRun, UserRunDisabled},
    {UserRunDisabled, UserRun, UserRunDisabled},
    {MachineRun32, MachineRun32, MachineRun32Disabled},
    {MachineRunDisabled, kNoKey, kNoKey},
};

TEST(StartModePlan, EveryKindAndMode)
{
    using Plan = std::tuple<int, bool, int, int, int, bool>;
    for (const KeyRow& r : kKeyRows) {
        SCOPED_TRACE("kind " + std::to_string(r.kind));
        const auto move = [&](int to) {
            return to == kNoKey ? Plan{kNoKey, false, 0, 0, kNoKey, false} : Plan{to, false, 0, 0, r.kind, false};
        };
        EXPECT_EQ(Fields(PlanStartMode(Item(r.kind, 0, 7), StartAtBoot, 25)), move(r.atBoot));
        EXPECT_EQ(Fields(PlanStartMode(Item(r.kind, 0, 7), StartPaused, 25)), move(r.paused));
        EXPECT_EQ(Fields(PlanStartMode(Item(r.kind, 0, 7), StartDelayed, 25)),
                  (Plan{kNoKey, true, r.delayOrigin, 25, r.kind, false}))
            << "the chosen minutes";
        EXPECT_FALSE(PlanStartMode(Item(r.kind), 3, 25).Changes());
    }
    for (const auto& [origin, atBoot, paused] : kDelayedRows) {
        SCOPED_TRACE("origin " + std::to_string(origin));
        const auto back = [](int to) { return Plan{to, false, 0, 0, kNoKey, to != kNoKey}; };
        EXPECT_EQ(Fields(PlanStartMode(Item(Delayed, origin, 7), StartAtBoot, 25)), back(atBoot));
        EXPECT_EQ(Fields(PlanStartMode(Item(Delayed, origin, 7), StartPaused, 25)), back(paused));
        EXPECT_FALSE(PlanStartMode(Item(Delayed, origin, 7), StartDelayed, 25).Changes()) << "the stored delay stays";
    }
}

TEST(StartupConflicts, PausedAndDelayedCopiesOfActiveEntriesIgnoringCase)
{
    StartupKeyNames keys;
    keys[MachineRun] = {"Orvanta", "Alpha", "beta"};
    keys[MachineRunServices] = {"Svc"};
    keys[UserRun] = {"Gamma"};
    keys[MachineRunDisabled] = {"ALPHA", "Other"};
    keys[MachineRunServicesDisabled] = {"svc"};
    keys[UserRunDisabled] = {"Gamma", "beta"};
    keys[MachineRun32] = {"Wow"};
    keys[MachineRun32Disabled] = {"WOW", "alpha"};
    const ConflictPlan plan = PlanStartupConflicts(keys, {"gamma", "Delta", "BETA", "SVC", "wow"});
    using Deletion = std::pair<int, std::string>;
    EXPECT_EQ(plan.deleteValues, (std::vector<Deletion>{{MachineRunDisabled, "ALPHA"},
                                                        {MachineRunServicesDisabled, "svc"},
                                                        {UserRunDisabled, "Gamma"},
                                                        {MachineRun32Disabled, "WOW"}}));
    EXPECT_EQ(plan.removeProjects, (std::vector<std::string>{"BETA", "SVC", "gamma", "wow"}));
    EXPECT_EQ(plan.report, (std::vector<std::string>{"ALPHA", "svc", "Gamma", "WOW", "BETA", "SVC", "gamma", "wow"}));
    EXPECT_EQ(ConflictMessage({"ALPHA", "svc"}, "Startup ", "removed", "Keep it."),
              "Startup removed:\n\nALPHA\nsvc\n\nKeep it.\n");
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
        {kValueExpandString, "x", "C:\\Tool.exe"},
        {kValueDword, std::string("\x2A\x00\x00\x01", 4), "REG_DWORD: 16777258"},
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

    const std::pair<int, const char*> statuses[] = {
        {MachineRun, "on"},       {MachineRunServices, "on"},    {UserRun, "on"},
        {MachineRun32, "on"},     {MachineRunDisabled, "off"},   {MachineRunServicesDisabled, "off"},
        {UserRunDisabled, "off"}, {MachineRun32Disabled, "off"}, {Delayed, "Delayed by 15 Minutes"},
    };
    for (const auto& [kind, text] : statuses)
        EXPECT_EQ(StatusText(Item(kind, 0, 15), "on", "off", "Delayed by"), text) << kind;
}

} // namespace
