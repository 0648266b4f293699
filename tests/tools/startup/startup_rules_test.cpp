#include "tools/startup/startup_rules.h"

#include <gtest/gtest.h>

namespace {

StartupItem Item(int kind, int origin = 0, int delay = 0)
{
    return {"Tool", "C:\\Tool.exe", kind, delay, origin};
}

struct Cell {
    int kind, origin, mode;
    int writeKey;
    bool append;
    int appendOrigin;
    int removeKey;
    bool removeProject;
};

const Cell kCells[] = {
    {MachineRun, 0, 0, kNoKey, false, 0, kNoKey, false},
    {MachineRun, 0, 1, MachineRunDisabled, false, 0, MachineRun, false},
    {MachineRun, 0, 2, kNoKey, true, 0, MachineRun, false},
    {MachineRunServices, 0, 0, kNoKey, false, 0, kNoKey, false},
    {MachineRunServices, 0, 1, MachineRunServicesDisabled, false, 0, MachineRunServices, false},
    {MachineRunServices, 0, 2, kNoKey, true, 1, MachineRunServices, false},
    {Delayed, 0, 0, MachineRun, false, 0, kNoKey, true},
    {Delayed, 1, 0, MachineRunServices, false, 0, kNoKey, true},
    {Delayed, 5, 0, UserRun, false, 0, kNoKey, true},
    {Delayed, 6, 0, UserRun, false, 0, kNoKey, true},
    {Delayed, 0, 1, MachineRunDisabled, false, 0, kNoKey, true},
    {Delayed, 1, 1, MachineRunServicesDisabled, false, 0, kNoKey, true},
    {Delayed, 5, 1, UserRunDisabled, false, 0, kNoKey, true},
    {Delayed, 6, 1, UserRunDisabled, false, 0, kNoKey, true},
    {Delayed, 0, 2, kNoKey, false, 0, kNoKey, false},
    {Delayed, 3, 0, kNoKey, false, 0, kNoKey, false},
    {Delayed, 2, 1, kNoKey, false, 0, kNoKey, false},
    {MachineRunDisabled, 0, 0, MachineRun, false, 0, MachineRunDisabled, false},
    {MachineRunDisabled, 0, 1, kNoKey, false, 0, kNoKey, false},
    {MachineRunDisabled, 0, 2, kNoKey, true, 0, MachineRunDisabled, false},
    {MachineRunServicesDisabled, 0, 0, MachineRunServices, false, 0, MachineRunServicesDisabled, false},
    {MachineRunServicesDisabled, 0, 1, kNoKey, false, 0, kNoKey, false},
    {MachineRunServicesDisabled, 0, 2, kNoKey, true, 1, MachineRunServicesDisabled, false},
    {UserRun, 0, 0, kNoKey, false, 0, kNoKey, false},
    {UserRun, 0, 1, UserRunDisabled, false, 0, UserRun, false},
    {UserRun, 0, 2, kNoKey, true, 5, UserRun, false},
    {UserRunDisabled, 0, 0, UserRun, false, 0, UserRunDisabled, false},
    {UserRunDisabled, 0, 1, kNoKey, false, 0, kNoKey, false},
    {UserRunDisabled, 0, 2, kNoKey, true, 6, UserRunDisabled, false},
    {MachineRun, 0, 3, kNoKey, false, 0, kNoKey, false},
    {MachineRun32, 0, 1, MachineRun32Disabled, false, 0, MachineRun32, false},
    {MachineRun32, 0, 2, kNoKey, true, 7, MachineRun32, false},
    {MachineRun32Disabled, 0, 0, MachineRun32, false, 0, MachineRun32Disabled, false},
    {MachineRun32Disabled, 0, 2, kNoKey, true, 7, MachineRun32Disabled, false},
    {Delayed, 7, 0, MachineRun32, false, 0, kNoKey, true},
    {Delayed, 7, 1, MachineRun32Disabled, false, 0, kNoKey, true},
};

TEST(StartModePlan, EveryCellOfTheTransitionTable)
{
    for (const Cell& c : kCells) {
        const StartModePlan plan = PlanStartMode(Item(c.kind, c.origin, 7), c.mode, 25);
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " origin " + std::to_string(c.origin) + " mode "
                     + std::to_string(c.mode));
        EXPECT_EQ(plan.writeKey, c.writeKey);
        EXPECT_EQ(plan.appendDelayed, c.append);
        EXPECT_EQ(plan.removeKey, c.removeKey);
        EXPECT_EQ(plan.removeProject, c.removeProject);
        EXPECT_EQ(plan.Changes(), c.writeKey != kNoKey || c.append);
        if (c.append) {
            EXPECT_EQ(plan.origin, c.appendOrigin);
            EXPECT_EQ(plan.delay, 25) << "the chosen minutes, not the stored delay";
        }
        if (plan.Changes()) {
            EXPECT_TRUE(plan.removeKey != kNoKey || plan.removeProject);
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
    const std::vector<std::string> projects = {"gamma", "Delta", "BETA", "SVC", "wow"};

    const ConflictPlan plan = PlanStartupConflicts(keys, projects);
    using Deletion = std::pair<int, std::string>;
    EXPECT_EQ(plan.deleteValues, (std::vector<Deletion>{{MachineRunDisabled, "ALPHA"},
                                                        {MachineRunServicesDisabled, "svc"},
                                                        {UserRunDisabled, "Gamma"},
                                                        {MachineRun32Disabled, "WOW"}}));
    EXPECT_EQ(plan.removeProjects, (std::vector<std::string>{"BETA", "SVC", "gamma", "wow"}));
    EXPECT_EQ(plan.report,
              (std::vector<std::string>{"ALPHA", "svc", "Gamma", "WOW", "BETA", "SVC", "gamma", "wow"}));
    EXPECT_EQ(ConflictMessage({"ALPHA", "svc"}, "Startup ", "removed", "Keep it."),
              "Startup removed:\n\nALPHA\nsvc\n\nKeep it.\n");
}

TEST(StartupList, IconPathOfCommand)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Tool\\tool.exe\" /min", "\"C:\\Program"},
        {"C:\\Windows\\tool.exe", "C:\\Windows\\tool.exe"},
        {"C:\\Windows\\tool.exe.bak", "C:\\Windows\\tool.exe"},
        {"C:\\dir.d\\tool.exe", "C:\\dir.d\\t"},
        {"tool.ex", "tool.ex"},
        {"rundll32", "rundll32"},
        {"", ""},
    };
    for (const auto& [command, path] : cases)
        EXPECT_EQ(IconPathOfCommand(command), path) << command;
}

TEST(StartupList, StatusTextByKind)
{
    const std::pair<int, const char*> cases[] = {
        {MachineRun, "on"}, {MachineRunServices, "on"}, {UserRun, "on"}, {MachineRunDisabled, "off"}, {MachineRunServicesDisabled, "off"},
        {UserRunDisabled, "off"}, {Delayed, "Delayed by 15 Minutes"}, {MachineRun32, "on"},
        {MachineRun32Disabled, "off"},
    };
    for (const auto& [kind, text] : cases)
        EXPECT_EQ(StatusText(Item(kind, 0, 15), "on", "off", "Delayed by"), text) << kind;
}

// A value that is no string shows its type and contents and never passes for a command line.
TEST(StartupList, CommandTextByValueType)
{
    std::string longBinary = "REG_BINARY: ";
    for (int i = 0; i < 64; ++i)
        longBinary += "01 ";
    const struct {
        std::uint32_t type;
        std::string data, text;
    } cases[] = {
        {kValueString, std::string("a.exe\0junk", 10), "C:\\Tool.exe"},
        {kValueExpandString, "x", "C:\\Tool.exe"},
        {kValueDword, std::string("\x2A\x00\x00\x01", 4), "REG_DWORD: 16777258"},
        {kValueBinary, std::string("\x00\xFFz", 3), "REG_BINARY: 00 FF 7A"},
        {kValueBinary, std::string(70, '\x01'), longBinary + "..."},
        {kValueMultiString, std::string("one\0two\0\0", 9), "REG_MULTI_SZ: one | two"},
        {kValueQword, std::string(8, '\0'), "REG_QWORD: 00 00 00 00 00 00 00 00"},
        {99, "", "REG_99: "},
    };
    for (const auto& c : cases) {
        StartupItem item = Item(MachineRun);
        item.valueType = c.type;
        item.data = c.data;
        EXPECT_EQ(CommandText(item), c.text) << c.type;
        EXPECT_EQ(HoldsCommand(item), c.type == kValueString || c.type == kValueExpandString) << c.type;
    }
}

} // namespace
