#pragma once
// Starts the delayed entries after a start with Windows. The main window calls Start() in its
// initialisation and OnTick() from its timer 4 (250 ms), setting the timer again while OnTick
// returns true.
#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/startup/launch_schedule.h"
#include "tools/startup/startup_entries_win.h"

inline constexpr UINT kDelayLauncherPeriodMs = 250;

class CDelayLauncher {
public:
    // Starts the item as the interactive user; false while that user's shell is not there yet.
    // Any other failure is not reported: nobody is at the screen to be told at logon.
    static bool LaunchAsUser(const StartupItem& item);

    explicit CDelayLauncher(std::string delayList = DelayListPath(),
                            CLaunchSchedule::Launch launch = &CDelayLauncher::LaunchAsUser)
        : delayList_(std::move(delayList)), launch_(std::move(launch))
    {
    }

    // Takes the start tick and loads Delay.ini once for this run; a file another program holds
    // open is read again at each following minute, for an hour.
    void Start();
    // The conflicts check on the first tick only, then every item whose minute has come.
    // True while items remain to be launched or the list waits to be read.
    bool OnTick(HWND owner = nullptr);
    // Delay.ini could not be read yet: another program holds it.
    bool WaitingForList() const { return !loaded_; }

    const CLaunchSchedule& Schedule() const { return schedule_; }

private:
    static constexpr std::uint32_t kListRetryMinutes = 60;
    void TryLoad(std::uint32_t elapsed);

    std::string delayList_;
    CLaunchSchedule::Launch launch_;
    CLaunchSchedule schedule_;
    std::uint32_t startTick_ = 0;
    bool conflictsChecked_ = false;
    bool loaded_ = true; // nothing to read before Start
    std::uint32_t lastTry_ = 0;
};

// The program's one launcher.
CDelayLauncher& DelayedLauncher();
