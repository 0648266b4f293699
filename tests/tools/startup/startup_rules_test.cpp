#include "tools/startup/startup_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

StartupItem Item(int kind, int origin = 0, int delay = 0)
{
    return {"Tool", "C:\\Tool.exe", kind, delay, origin};
}

// kind, origin, mode -> key written, origin appended to the delayed list (-1: none), key removed,
// delayed item removed.
struct Cell {
    int kind, origin, mode, writeKey, appendOrigin, removeKey;
    bool removeProject;
};

const Cell kCells[] = {
    {MachineRun, 0, StartAtBoot, kNoKey, -1, kNoKey, false},
    {MachineRun, 0, StartPaused, MachineRunDisabled, -1, MachineRun, false},
    {MachineRun, 0, StartDelayed, kNoKey, MachineRun, MachineRun, false},
    {MachineRun, 0, 3, kNoKey, -1, kNoKey, false},
    {MachineRunServices, 0, StartPaused, MachineRunServicesDisabled, -1, MachineRunServices, false},
    {MachineRunServices, 0, StartDelayed, kNoKey, MachineRunServices, MachineRunServices, false},
    {MachineRunDisabled, 0, StartAtBoot, MachineRun, -1, MachineRunDisabled, false},
    {MachineRunDisabled, 0, StartPaused, kNoKey, -1, kNoKey, false},
    {MachineRunDisabled, 0, StartDelayed, kNoKey, MachineRun, MachineRunDisabled, false},
    {MachineRunServicesDisabled, 0, StartAtBoot, MachineRunServices, -1, MachineRunServicesDisabled, false},
    {MachineRunServicesDisabled, 0, StartDelayed, kNoKey, MachineRunServices, MachineRunServicesDisabled, false},
    {UserRun, 0, StartAtBoot, kNoKey, -1, kNoKey, false},
    {UserRun, 0, StartPaused, UserRunDisabled, -1, UserRun, false},
    {UserRun, 0, StartDelayed, kNoKey, UserRun, UserRun, false},
    {UserRunDisabled, 0, StartAtBoot, UserRun, -1, UserRunDisabled, false},
    {UserRunDisabled, 0, StartDelayed, kNoKey, UserRunDisabled, UserRunDisabled, false},
    {MachineRun32, 0, StartPaused, MachineRun32Disabled, -1, MachineRun32, false},
    {MachineRun32, 0, StartDelayed, kNoKey, MachineRun32, MachineRun32, false},
    {MachineRun32Disabled, 0, StartAtBoot, MachineRun32, -1, MachineRun32Disabled, false},
    {MachineRun32Disabled, 0, StartDelayed, kNoKey, MachineRun32, MachineRun32Disabled, false},
    {Delayed, MachineRun, StartAtBoot, MachineRun, -1, kNoKey, true},
    {Delayed, MachineRunServices, StartAtBoot, MachineRunServices, -1, kNoKey, true},
    {Delayed, UserRun, StartAtBoot, UserRun, -1, kNoKey, true},
    {Delayed, UserRunDisabled, StartAtBoot, UserRun, -1, kNoKey, true},
    {Delayed, MachineRun32, StartAtBoot, MachineRun32, -1, kNoKey, true},
    {Delayed, MachineRun, StartPaused, MachineRunDisabled, -1, kNoKey, true},
    {Delayed, MachineRunServices, StartPaused, MachineRunServicesDisabled, -1, kNoKey, true},
    {Delayed, UserRun, StartPaused, UserRunDisabled, -1, kNoKey, true},
    {Delayed, UserRunDisabled, StartPaused, UserRunDisabled, -1, kNoKey, true},
    {Delayed, MachineRun32, StartPaused, MachineRun32Disabled, -1, kNoKey, true},
    {Delayed, MachineRun, StartDelayed, kNoKey, -1, kNoKey, false},
    {Delayed, MachineRunDisabled, StartAtBoot, kNoKey, -1, kNoKey, false},
    {Delayed, Delayed, StartPaused, kNoKey, -1, kNoKey, false},
};

TEST(StartModePlan, EveryCellOfTheTransitionTable)
{
    for (const Cell& c : kCells) {
        const StartModePlan plan = PlanStartMode(Item(c.kind, c.origin, 7), c.mode, 25);
        const int appended = plan.appendDelayed ? plan.origin : -1;
        EXPECT_EQ(std::tie(plan.writeKey, appended, plan.removeKey, plan.removeProject),
                  std::tie(c.writeKey, c.appendOrigin, c.removeKey, c.removeProject))
            << "kind " << c.kind << " origin " << c.origin << " mode " << c.mode;
        EXPECT_EQ(plan.Changes(), c.writeKey != kNoKey || c.appendOrigin >= 0);
        if (plan.appendDelayed) {
            EXPECT_EQ(plan.delay, 25) << "the chosen minutes, not the stored delay";
        }
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
        {MachineRun, "on"},        {MachineRunServices, "on"},         {UserRun, "on"},
        {MachineRun32, "on"},      {MachineRunDisabled, "off"},        {MachineRunServicesDisabled, "off"},
        {UserRunDisabled, "off"},  {MachineRun32Disabled, "off"},      {Delayed, "Delayed by 15 Minutes"},
    };
    for (const auto& [kind, text] : statuses)
        EXPECT_EQ(StatusText(Item(kind, 0, 15), "on", "off", "Delayed by"), text) << kind;
}

} // namespace
