#pragma once
// The program's settings, grouped as the program reads them: registry values under
// HKEY_LOCAL_MACHINE\Software\Kelvane or an organisation's policies, and the start with Windows.
// What a value reads as, and its default, is the settings' table's (common/setting_table.cpp); the
// rules tick alone keeps starting values of its own.
#include <cstdint>
#include <optional>
#include <string>

#include "common/program_list.h"
#include "common/setting_table.h"
#include "common/settings_keys.h"
#include "memory/cleaning_methods.h"

// Read when the main window is constructed.
struct ConstructionSettings {
    bool soundAlert = true;     // IDC_CHECKSOUND
    bool autoDefrag = true;     // IDC_CHECKAUTODEFRAG
    bool cleanClipBoard = true; // IDC_CHECKCLIPBOARD
    int32_t ramAlertValue = 15; // IDC_ALERT_EDIT
    bool buildReport = true;    // IDC_CHECKLOG
    uint32_t noticeDialog = 0;  // 1: clean automatically without asking (IDC_CHECKAUTODEFRAGTIP shows the opposite)
    uint32_t otherFunctionTips = 1; // 0: open tools without the warning (IDC_CHECKALERTNOTICE set)
    bool runAfterBoot = false;  // the autostart value exists (IDC_CHECKAUTORUN)
};

// Read when the main window sets itself up.
struct SetUpSettings {
    int32_t sliderPos = 3;
    std::string cpuMhz;
    int32_t userType = 2;
    bool showStatus = true; // false: a start without arguments begins hidden
};

// The monitor tick's own view, kept between ticks: the alert value falls back to 30 on every read
// that fails; the two switches keep their last good read, starting off, so that nothing sounds or
// cleans before the settings have been saved once. The rest reads as its default when absent.
struct TickSettings {
    int32_t ramAlertValue = 30;
    bool soundAlert = false;
    bool autoDefrag = false;
    bool standbyAutoClean = false;
    int32_t standbyAlertValue = 0;
    bool askFirst = true; // NoticeDialog absent or 0
    int32_t intervalMinutes = 0;
    int32_t backOffPercent = 0;
    bool pauseUnhelpful = false;
    ProgramList pausePrograms{};
};
constexpr int32_t kTickRamAlertDefault = 30;
// An alert value the installer was told, when it is a whole number from 1 to 75; the installer
// refuses any other before it installs anything.
std::optional<int32_t> InstallerAlertValue(const std::string& text);

// The cleaning methods dialog's values; absent values mean the classic step alone, no automatic
// clean on the standby list, no program left alone or pausing, no wait between automatic cleans.
struct CleaningMethodSettings {
    MethodSet methods = kClassicMethodOnly;
    bool standbyAutoClean = false;
    int32_t standbyAlertValue = 50; // percent of installed memory
    ProgramList keepWorkingSets{};
    ProgramList pausePrograms{};
    int32_t intervalMinutes = 0;
    int32_t backOffPercent = 0;
    bool pauseUnhelpful = false; // wait while automatic cleans' memory comes back within a minute
};

// What the save command stores, in the main window's terms.
struct SavedSettings {
    int32_t userType = 2;
    bool soundAlert = true;
    bool autoDefrag = true;
    bool cleanClipBoard = true;
    int32_t ramAlertValue = 15;
    int32_t sliderPos = 3;
    bool buildReport = true;
    bool noticeDialog = false; // true: do not ask before an automatic clean
    bool runAfterBoot = true;
};

// The autostart command: the quoted program path, so that a path with blanks cannot start
// another program, and the argument that starts the program hidden.
std::string AutostartCommand(const std::string& programPath);
