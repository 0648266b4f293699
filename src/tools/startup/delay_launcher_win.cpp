#include "tools/startup/delay_launcher_win.h"

#include <vector>

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
    std::vector<StartupItem> table;
    // Started elevated, so only what no plain user could have written or planted.
    std::string text;
    if (ReadProtectedFile(delayList_, text).Ok())
        CDelayList::LoadForLaunch(text, table);
    schedule_.Load(std::move(table));
}

bool CDelayLauncher::OnTick(HWND owner)
{
    if (!conflictsChecked_) {
        // It edits Delay.ini only: what it removes there still starts in this run.
        CheckStartupConflicts(delayList_, owner);
        conflictsChecked_ = true;
    }
    schedule_.LaunchDue(ElapsedMinutes(startTick_, TickCount()), launch_);
    return !schedule_.Finished();
}

CDelayLauncher& DelayedLauncher()
{
    static CDelayLauncher launcher;
    return launcher;
}
