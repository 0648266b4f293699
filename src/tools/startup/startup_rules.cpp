#include "tools/startup/startup_rules.h"

#include <algorithm>
#include <cctype>

namespace {

// Where a delayed entry goes back to, by its origin; kNoKey for an origin that names no key.
int ActiveKeyOfOrigin(int origin)
{
    switch (origin) {
    case MachineRun: return MachineRun;
    case MachineRunServices: return MachineRunServices;
    case UserRun:
    case UserRunDisabled: return UserRun;
    default: return kNoKey;
    }
}

int PausedKeyOfOrigin(int origin)
{
    switch (origin) {
    case MachineRun: return MachineRunDisabled;
    case MachineRunServices: return MachineRunServicesDisabled;
    case UserRun:
    case UserRunDisabled: return UserRunDisabled;
    default: return kNoKey;
    }
}

StartModePlan Move(int from, int to)
{
    StartModePlan plan;
    plan.writeKey = to;
    plan.removeKey = from;
    return plan;
}

StartModePlan Delay(int from, int origin, int minutes)
{
    StartModePlan plan;
    plan.appendDelayed = true;
    plan.origin = origin;
    plan.delay = minutes;
    plan.removeKey = from;
    return plan;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool ContainsIgnoringCase(const std::vector<std::string>& upperNames, const std::string& name)
{
    return std::find(upperNames.begin(), upperNames.end(), Upper(name)) != upperNames.end();
}

std::vector<std::string> UpperAll(const std::vector<std::string>& names)
{
    std::vector<std::string> upper;
    upper.reserve(names.size());
    for (const std::string& n : names)
        upper.push_back(Upper(n));
    return upper;
}

} // namespace

StartModePlan PlanStartMode(const StartupItem& item, int mode, int minutes)
{
    const int k = item.kind;
    if (k == Delayed) {
        if (mode != StartAtBoot && mode != StartPaused)
            return {}; // delaying again keeps the stored delay
        StartModePlan plan;
        plan.writeKey = mode == StartAtBoot ? ActiveKeyOfOrigin(item.origin) : PausedKeyOfOrigin(item.origin);
        if (plan.writeKey == kNoKey)
            return {};
        plan.removeProject = true;
        return plan;
    }
    switch (mode) {
    case StartAtBoot:
        if (k == MachineRunDisabled) return Move(k, MachineRun);
        if (k == MachineRunServicesDisabled) return Move(k, MachineRunServices);
        if (k == UserRunDisabled) return Move(k, UserRun);
        return {};
    case StartPaused:
        if (k == MachineRun) return Move(k, MachineRunDisabled);
        if (k == MachineRunServices) return Move(k, MachineRunServicesDisabled);
        if (k == UserRun) return Move(k, UserRunDisabled);
        return {};
    case StartDelayed:
        if (k == MachineRun || k == MachineRunDisabled) return Delay(k, MachineRun, minutes);
        if (k == MachineRunServices || k == MachineRunServicesDisabled) return Delay(k, MachineRunServices, minutes);
        if (k == UserRun || k == UserRunDisabled) return Delay(k, k, minutes);
        return {};
    default:
        return {};
    }
}

ConflictPlan PlanStartupConflicts(const StartupKeyNames& keys, const std::vector<std::string>& projects)
{
    ConflictPlan plan;
    const std::pair<int, int> pairs[] = {{MachineRunDisabled, MachineRun},
                                         {MachineRunServicesDisabled, MachineRunServices},
                                         {UserRunDisabled, UserRun}};
    for (const auto& [paused, active] : pairs) {
        const std::vector<std::string> upperActive = UpperAll(keys[active]);
        for (const std::string& name : keys[paused]) {
            if (ContainsIgnoringCase(upperActive, name)) {
                plan.deleteValues.emplace_back(paused, name);
                plan.report.push_back(name);
            }
        }
    }
    for (int active : {MachineRun, MachineRunServices, UserRun}) {
        const std::vector<std::string> upperActive = UpperAll(keys[active]);
        for (const std::string& project : projects) {
            if (ContainsIgnoringCase(upperActive, project)) {
                plan.removeProjects.push_back(project);
                plan.report.push_back(project);
            }
        }
    }
    return plan;
}

std::string ConflictMessage(const std::vector<std::string>& report, const std::string& title,
                            const std::string& removed, const std::string& protect)
{
    std::string text = title + removed + ":\n\n";
    for (const std::string& name : report)
        text += name + "\n";
    return text + "\n" + protect + "\n";
}

std::string IconPathOfCommand(const std::string& command)
{
    const auto blank = command.find(' ');
    if (blank != std::string::npos)
        return command.substr(0, blank);
    const auto dot = command.find('.');
    if (dot != std::string::npos)
        return command.substr(0, dot + 4); // the dot and a three-letter extension
    return command;
}

std::string StatusText(const StartupItem& item, const std::string& active, const std::string& paused,
                       const std::string& delayed)
{
    switch (item.kind) {
    case MachineRun:
    case MachineRunServices:
    case UserRun: return active;
    case Delayed: return delayed + " " + std::to_string(item.delay) + " Minutes";
    default: return paused;
    }
}
