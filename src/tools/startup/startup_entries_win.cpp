#include "tools/startup/startup_entries_win.h"

#include "common/module_path.h"
#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/startup_keys_win.h"
#include "tools/startup/startup_rules.h"
#include "win32/ui_host.h"

namespace {

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

// Appends while the table has room; entries past the last row are left out of the list.
void AppendKey(std::vector<StartupItem>& table, int kind)
{
    for (auto& [name, command] : ReadStartupValues(kind)) {
        if (kind == MachineRun && name.find(kOwnEntryName) != std::string::npos)
            continue;
        if (static_cast<int>(table.size()) >= kMaxStartupItems)
            return;
        StartupItem item;
        item.name = std::move(name);
        item.command = std::move(command);
        item.kind = kind;
        table.push_back(std::move(item));
    }
}

void CreateDisabledKey(HKEY root, const char* name)
{
    CRegistryKey key;
    if (key.Open(root, kCurrentVersion, KEY_ALL_ACCESS) == ERROR_SUCCESS)
        key.CreateSubKey(name);
}

} // namespace

std::string DelayListPath() { return GetModulePath("Delay.ini"); }

int LoadStartupItems(std::vector<StartupItem>& table, const std::string& delayList)
{
    table.clear();
    AppendKey(table, MachineRun);
    AppendKey(table, MachineRunServices);
    for (StartupItem& item : CDelayList(delayList).ReadItems()) {
        if (static_cast<int>(table.size()) >= kMaxStartupItems)
            break;
        table.push_back(std::move(item));
    }
    for (int kind : {MachineRunDisabled, MachineRunServicesDisabled, UserRun, UserRunDisabled})
        AppendKey(table, kind);
    return static_cast<int>(table.size());
}

bool SetStartMode(const StartupItem& item, int mode, int minutes, const std::string& delayList, HWND owner)
{
    const StartModePlan plan = PlanStartMode(item, mode, minutes);
    const CDelayList list(delayList);
    bool moved = false;
    // A list that refuses removals would leave the entry both delayed and back in a key.
    if (plan.Changes() && (!plan.removeProject || list.AcceptsRemoval())) {
        bool written = false;
        if (plan.appendDelayed) {
            StartupItem delayed = item;
            delayed.kind = Delayed;
            delayed.delay = plan.delay;
            delayed.origin = plan.origin;
            written = list.Append(delayed);
        } else {
            written = WriteStartupValue(plan.writeKey, item.name, item.command);
        }
        if (written) {
            if (plan.removeKey != kNoKey)
                RemoveStartupValue(plan.removeKey, item.name);
            if (plan.removeProject)
                list.RemoveProject(item.name);
            moved = true;
        }
    }
    if (mode == StartDelayed)
        CheckOwnEntry(owner);
    return moved;
}

void DeleteStartupItem(const StartupItem& item, const std::string& delayList)
{
    if (item.kind == Delayed)
        CDelayList(delayList).RemoveProject(item.name);
    else
        RemoveStartupValue(item.kind, item.name);
}

void EnsureDisabledKeys()
{
    CreateDisabledKey(HKEY_LOCAL_MACHINE, "Run-");
    CreateDisabledKey(HKEY_CURRENT_USER, "Run-");
    CreateDisabledKey(HKEY_LOCAL_MACHINE, "RunServices-");
}

void CheckOwnEntry(HWND owner)
{
    CRegistryKey key;
    key.Open(HKEY_LOCAL_MACHINE, std::string(kCurrentVersion) + "\\Run", KEY_ALL_ACCESS);
    std::string command;
    if (!key.IsOpen() || key.QueryString(command, kOwnEntryName) != ERROR_SUCCESS)
        win32::MessageBoxText(owner, UiText("strStartUpTips"), win32::kProgramName, MB_ICONEXCLAMATION | MB_OK);
}

void CheckStartupConflicts(const std::string& delayList, HWND owner)
{
    StartupKeyNames keys;
    for (int kind : {MachineRun, MachineRunServices, MachineRunDisabled, MachineRunServicesDisabled, UserRun,
                     UserRunDisabled})
        keys[static_cast<size_t>(kind)] = ReadStartupNames(kind);
    const CDelayList list(delayList);
    std::vector<std::string> projects;
    for (const StartupItem& item : list.ReadItems())
        projects.push_back(item.name);

    const ConflictPlan plan = PlanStartupConflicts(keys, projects);
    for (const auto& [kind, name] : plan.deleteValues)
        RemoveStartupValue(kind, name);
    for (const std::string& project : plan.removeProjects)
        list.RemoveProject(project);
    if (plan.report.empty())
        return;
    CResourceText texts;
    const std::string text = ConflictMessage(plan.report, texts.Text("IDC_MSCONFIG_BT"),
                                             texts.Text("strDeleteBootItem"), texts.Text("strBootProtect"));
    win32::MessageBoxText(owner, text, "", MB_OK);
}
