#pragma once
// One startup entry and where it lives. The kind numbers are stored in Delay.ini.
#include <string>

enum StartupKind : int {
    MachineRun = 0,
    MachineRunServices = 1,
    Delayed = 2,
    MachineRunDisabled = 3,
    MachineRunServicesDisabled = 4,
    UserRun = 5,
    UserRunDisabled = 6,
};

// The mode a user gives an entry in the start mode dialog.
enum StartMode : int { StartAtBoot = 0, StartPaused = 1, StartDelayed = 2 };

// Both the dialog's table and the launcher's table hold at most this many entries.
inline constexpr int kMaxStartupItems = 100;

struct StartupItem {
    std::string name;    // registry value name, or the Project of a delayed item
    std::string command; // value data, or the Path of a delayed item
    int kind = MachineRun;
    int delay = 0;  // minutes; delayed items only
    int origin = 0; // kind before it was delayed: 0, 1, 5 or 6; delayed items only
    bool launched = false;
};
