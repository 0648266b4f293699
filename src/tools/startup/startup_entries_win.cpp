#include "tools/startup/startup_entries_win.h"

#include "common/account_win.h"
#include "common/autostart_state_win.h"
#include "common/module_path.h"
#include "common/protected_place_win.h"
#include "common/resource_text.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/startup_keys_win.h"
#include "tools/startup/startup_rules.h"
#include "win32/ui_host.h"

namespace {

StartupItem ItemOf(RegistryValue&& value, int kind)
{
    StartupItem item;
    item.name = std::move(value.name);
    item.kind = kind;
    item.valueType = value.type;
    if (HoldsCommand(item))
        item.command = value.data.substr(0, value.data.find('\0'));
    item.data = std::move(value.data);
    return item;
}

// Appends while the table has room; entries past the last row are left out of the list.
void AppendKey(std::vector<StartupItem>& table, int kind)
{
    for (RegistryValue& value : ReadStartupValues(kind)) {
        if ((kind == MachineRun || kind == MachineRun32) && IsOwnEntryName(value.name))
            continue;
        if (static_cast<int>(table.size()) >= kMaxStartupItems)
            return;
        table.push_back(ItemOf(std::move(value), kind));
    }
}

// A delayed item goes back to a key as the string it was; a registry entry as it is stored.
bool WriteToKey(int kind, const StartupItem& item)
{
    if (item.kind == Delayed)
        return WriteStartupValue(kind, item.name, item.valueType == kValueExpandString ? REG_EXPAND_SZ : REG_SZ,
                                 item.command + '\0');
    return WriteStartupValue(kind, item.name, item.valueType, item.data);
}

// Why a delaying cannot be done, or empty text.
std::string DelayRefusal(const StartupItem& item, const CDelayList& list)
{
    if (!HoldsCommand(item))
        return ShownName(item.name) + ": " + UiText("strStartupNotCommand");
    if (!FitsDelayFile(item))
        return ShownName(item.name) + ": " +
               UiText(LoneSurrogateAt(item.name + item.command) != std::string::npos ? "strDelayNotText"
                                                                                     : "strDelayNotOneLine");
    // The launcher would refuse to start it from there, so it would never start again.
    const PlaceVerdict place = CheckPlace(list.Path()).verdict;
    if (place != PlaceVerdict::Protected)
        return UiText("strDelayNotHere") + "\n\n" + PlaceReasonText(place);
    if (!list.Readable())
        return UiText("strDelayUnreadable");
    if (list.IsFull())
        return UiText("strDelayListFull");
    return {};
}

} // namespace

std::string DelayListPath() { return GetModulePath("Delay.ini"); }

int LoadStartupItems(std::vector<StartupItem>& table, const std::string& delayList)
{
    table.clear();
    AppendKey(table, MachineRun);
    AppendKey(table, MachineRun32);
    AppendKey(table, MachineRunServices);
    const std::string account = OwnUserSid();
    for (StartupItem& item : CDelayList(delayList).ReadItems()) {
        if (static_cast<int>(table.size()) >= kMaxStartupItems)
            break;
        if (BelongsTo(item, account)) // another administrator's own entries are theirs to see
            table.push_back(std::move(item));
    }
    for (int kind : {MachineRunDisabled, MachineRun32Disabled, MachineRunServicesDisabled, UserRun, UserRunDisabled})
        AppendKey(table, kind);
    return static_cast<int>(table.size());
}

bool SetStartMode(const StartupItem& item, int mode, int minutes, const std::string& delayList, HWND owner)
{
    const StartModePlan plan = PlanStartMode(item, mode, minutes);
    const CDelayList list(delayList);
    if (plan.appendDelayed) {
        const std::string refusal = DelayRefusal(item, list);
        if (!refusal.empty()) {
            win32::MessageBoxText(owner, refusal, win32::kProgramName, MB_ICONEXCLAMATION | MB_OK);
            return false;
        }
    }
    bool moved = false;
    StartupItem delayed = item;
    delayed.kind = Delayed;
    delayed.delay = plan.delay;
    delayed.origin = plan.origin;
    // The user keys are this process's account's: it is that account's entry.
    delayed.owner = IsUserKind(plan.origin) ? OwnUserSid() : std::string();
    // A list that refuses removals would leave the entry both delayed and back in a key.
    if (plan.Changes() && (!plan.removeProject || list.AcceptsRemoval()) &&
        (plan.appendDelayed ? list.Append(delayed) : WriteToKey(plan.writeKey, item))) {
        // Moved only when the source, found by its exact name, is gone; else the copy goes again.
        moved = plan.removeProject ? list.RemoveItem(item)
                                   : plan.removeKey == kNoKey || RemoveStartupValue(plan.removeKey, item.name);
        if (!moved && plan.appendDelayed)
            list.RemoveItem(delayed);
        else if (!moved)
            RemoveStartupValue(plan.writeKey, item.name);
    }
    if (mode == StartDelayed)
        CheckOwnEntry(owner);
    return moved;
}

bool DeleteStartupItem(const StartupItem& item, const std::string& delayList)
{
    if (item.kind == Delayed)
        return CDelayList(delayList).RemoveItem(item);
    // Found by its exact name first: a value that is not there was not deleted.
    return StartupValueExists(item.kind, item.name) && RemoveStartupValue(item.kind, item.name) &&
           !StartupValueExists(item.kind, item.name);
}

void EnsureDisabledKeys()
{
    for (int kind : {MachineRunDisabled, UserRunDisabled, MachineRunServicesDisabled, MachineRun32Disabled})
        CreateStartupKey(kind);
}

void CheckOwnEntry(HWND owner)
{
    if (!AutostartExists())
        win32::MessageBoxText(owner, UiText("strStartUpTips"), win32::kProgramName, MB_ICONEXCLAMATION | MB_OK);
}

void CheckStartupConflicts(const std::string& delayList, HWND owner)
{
    StartupKeyNames keys;
    for (int kind : {MachineRun, MachineRunServices, MachineRunDisabled, MachineRunServicesDisabled, UserRun,
                     UserRunDisabled, MachineRun32, MachineRun32Disabled})
        keys[static_cast<size_t>(kind)] = ReadStartupNames(kind);
    const CDelayList list(delayList);
    const ConflictPlan plan = PlanStartupConflicts(keys, list.ReadItems(), OwnUserSid());
    for (const auto& [kind, name] : plan.deleteValues)
        RemoveStartupValue(kind, name);
    for (const StartupItem& item : plan.removeItems)
        list.RemoveItem(item);
    if (plan.report.empty())
        return;
    CResourceText texts;
    const std::string text = ConflictMessage(plan.report, texts.Text("IDC_MSCONFIG_BT"),
                                             texts.Text("strDeleteBootItem"), texts.Text("strBootProtect"));
    win32::MessageBoxText(owner, text, "", MB_OK);
}
