#pragma once
// The program's registry layout: its settings key under HKEY_LOCAL_MACHINE, the machine Run key
// that holds its autostart value, and the names of the values it stores; and the name of the logon
// task that starts it with Windows instead of that value.

constexpr char kSettingsKey[] = "Software\\Kelvane";
constexpr char kSettingsParentKey[] = "Software";
constexpr char kSettingsSubKey[] = "Kelvane";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kAutostartValue[] = "Orvanta";
constexpr char kLogonTaskName[] = "Tidewell";

// Value names; every one a DWORD except CPUMHZ and the languages (strings) and the two program
// lists (REG_MULTI_SZ).
constexpr char kUserType[] = "UserType";
constexpr char kSliderPos[] = "SliderPos";
constexpr char kSoundAlert[] = "SoundAlert";
constexpr char kAutoDefrag[] = "AutoDefrag";
constexpr char kCleanClipBoard[] = "CleanClipBoard";
constexpr char kBuildReport[] = "BuildReport";
constexpr char kRamAlertValue[] = "RamAlertValue";
constexpr char kNoticeDialog[] = "NoticeDialog";
constexpr char kOtherFunctionTips[] = "OtherFunctionTips";
constexpr char kShowStatus[] = "ShowStatus";
constexpr char kCpuMhz[] = "CPUMHZ";
constexpr char kCleanMethods[] = "CleanMethods";
constexpr char kStandbyAutoClean[] = "StandbyAutoClean";
constexpr char kStandbyAlertValue[] = "StandbyAlertValue";
constexpr char kKeepWorkingSets[] = "KeepWorkingSets";
constexpr char kPausePrograms[] = "PausePrograms";
constexpr char kAutoCleanInterval[] = "AutoCleanInterval"; // minutes
constexpr char kAutoCleanBackOff[] = "AutoCleanBackOff";   // percent of installed memory
constexpr char kAutoCleanPauseUnhelpful[] = "AutoCleanPauseUnhelpful"; // 1: wait while cleans come back
constexpr char kCleanHotkey[] = "CleanHotkey";               // the hotkey control's value; absent or 0: none
constexpr char kLanguage[] = "Language";                   // a folder under lang\ (REG_SZ), empty for the file beside the program

// What an organisation sets: the settings' values by the same names, and three of its own.
constexpr char kPolicyKey[] = "Software\\Policies\\Kelvane\\Tidewell";
constexpr char kAutostart[] = "Autostart";                 // the start with Windows, kept as the logon task
constexpr char kNoConsoleRequests[] = "NoConsoleRequests"; // 1: the channel answers nothing; status needs none
constexpr char kNoStartupChanges[] = "NoStartupChanges";   // 1: the startup manager lists and starts only
constexpr char kNoEventLog[] = "NoEventLog";               // 1: no events in the Application log

// What the installer was told on its command line (msiexec ... LANGUAGE=de AUTOSTART=0
// ALERTVALUE=20), as strings, empty when not told; read at the first start.
constexpr char kInstallerKey[] = "Software\\Tidewell\\Installer";
constexpr char kInstallerLanguage[] = "Language";
constexpr char kInstallerAutostart[] = "Autostart";   // "0": no start with Windows
constexpr char kInstallerAlertValue[] = "AlertValue"; // 1 to 75
