#include "tools/startup/delay_launcher_win.h"

#include <vector>

#include "common/account_win.h"
#include "common/clock.h"
#include "common/protected_place_win.h"
#include "common/user_launch_win.h"
#include "tools/startup/delay_list.h"

bool CDelayLauncher::LaunchAsUser(const StartupItem& item)
{
    // Without the user's shell, or with one that does not run with the user's ordinary rights (yet),
    // the item waits for a later tick.
    const LaunchStatus status = StartCommandAsUser(item.command, item.valueType == kValueExpandString).status;
    return status != LaunchStatus::NoUserShell && status != LaunchStatus::ShellRefused;
}

void CDelayLauncher::Start()
{
    startTick_ = TickCount();
    loaded_ = false;
    TryLoad(0);
}

void CDelayLauncher::TryLoad(std::uint32_t elapsed)
{
    lastTry_ = elapsed;
    // Started elevated, so only what no plain user could have written or planted.
    std::string text;
    const ProtectedRead read = ReadProtectedFile(delayList_, text);
    if (read.inUse)
        return; // "could not read" is never "empty"
    std::vector<StartupItem> table, own;
    const std::string account = OwnUserSid();
    // A list from before owners were recorded goes to the first account that starts it.
    if (read.Ok() && CDelayList(delayList_).AdoptUnowned(account))
        ReadProtectedFile(delayList_, text);
    if (read.Ok())
        CDelayList::LoadForLaunch(text, table);
    // Another administrator's own entries wait for that account's logon.
    for (StartupItem& item : table)
        if (BelongsTo(item, account))
            own.push_back(std::move(item));
    schedule_.Load(std::move(own), elapsed);
    loaded_ = true;
}

bool CDelayLauncher::OnTick(HWND owner)
{
    if (!conflictsChecked_) {
        // It edits Delay.ini only: what it removes there still starts in this run.
        CheckStartupConflicts(delayList_, owner);
        conflictsChecked_ = true;
    }
    const std::uint32_t elapsed = ElapsedMinutes(startTick_, TickCount());
    if (!loaded_) {
        if (elapsed > lastTry_)
            TryLoad(elapsed);
        if (!loaded_)
            return elapsed < kListRetryMinutes;
    }
    schedule_.LaunchDue(elapsed, launch_);
    return !schedule_.Finished();
}

CDelayLauncher& DelayedLauncher()
{
    static CDelayLauncher launcher;
    return launcher;
}
