#include "tools/startup/delayed_restore.h"

#include "tools/startup/startup_rules.h"

RestorePlan PlanDelayedRestore(const std::vector<StartupItem>& items, const std::string& remover,
                               const std::function<bool(const std::string& account)>& reachable)
{
    RestorePlan plan;
    for (size_t i = 0; i < items.size(); ++i) {
        const StartupItem& item = items[i];
        StartupItem delayed = item;
        delayed.kind = Delayed;
        const int key = PlanStartMode(delayed, StartAtBoot, 0).writeKey;
        const std::string account = !IsUserKind(key) ? std::string() : item.owner.empty() ? remover : item.owner;
        if (key == kNoKey || item.name.empty() || !HoldsCommand(item) ||
            (IsUserKind(key) && (!IsPersonalAccount(account) || !reachable(account)))) {
            plan.kept.push_back(i);
            continue;
        }
        plan.steps.push_back({i, key, item.valueType, item.command + '\0', account});
    }
    return plan;
}

bool IsPersonalAccount(const std::string& sid)
{
    if (sid.size() < 5 || sid.compare(0, 4, "S-1-") != 0)
        return false;
    for (const char* service : {"S-1-5-18", "S-1-5-19", "S-1-5-20"})
        if (sid == service)
            return false;
    return true;
}
