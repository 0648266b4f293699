#include "app/settings/settings_win.h"

#include <windows.h>

#include "app/settings/autostart_win.h"
#include "common/registry_key_win.h"
#include "common/setting_store_win.h"

namespace {

LONG OpenSettings(CRegistryKey& key)
{
    return key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS);
}

LONG CreateSettings(CRegistryKey& key)
{
    const LONG rc = key.Open(HKEY_LOCAL_MACHINE, kSettingsParentKey, KEY_ALL_ACCESS);
    return rc == ERROR_SUCCESS ? key.CreateSubKey(kSettingsSubKey) : rc;
}

} // namespace

std::string ProgramPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: ask again with more room
    }
}

bool PrepareFirstStart(const std::string& programPath)
{
    CRegistryKey key;
    if (OpenSettings(key) == ERROR_SUCCESS || CreateSettings(key) != ERROR_SUCCESS)
        return false;
    // What an unattended installation was told: no start with Windows, another alert value.
    CRegistryKey installer;
    std::string autostart, alertValue;
    if (installer.Open(HKEY_LOCAL_MACHINE, kInstallerKey, KEY_READ) == ERROR_SUCCESS) {
        installer.QueryString(autostart, kInstallerAutostart);
        installer.QueryString(alertValue, kInstallerAlertValue);
    }
    if (const std::optional<int32_t> told = InstallerAlertValue(alertValue))
        WriteSettings({{kRamAlertValue, *told}});
    if (ReadPolicies().FlagIfAny(kAutostart).value_or(autostart != "0"))
        EnableAutostart(programPath);
    return true;
}

ConstructionSettings ReadConstructionSettings()
{
    const SettingValues values = ReadSettingValues();
    ConstructionSettings settings;
    settings.soundAlert = values.Flag(kSoundAlert);
    settings.autoDefrag = values.Flag(kAutoDefrag);
    settings.cleanClipBoard = values.Flag(kCleanClipBoard);
    settings.ramAlertValue = values.Number(kRamAlertValue);
    settings.buildReport = values.Flag(kBuildReport);
    settings.noticeDialog = values.Flag(kNoticeDialog);
    settings.otherFunctionTips = values.Flag(kOtherFunctionTips);
    // The organisation's choice, which the window's set-up puts in place, or the real state.
    settings.runAfterBoot = values.FlagIfAny(kAutostart).value_or(AutostartExists());
    return settings;
}

SetUpSettings ReadSetUpSettings(const std::function<std::string()>& measureCpuMhz)
{
    const SettingValues values = ReadSettingValues();
    SetUpSettings settings;
    settings.sliderPos = values.Number(kSliderPos);
    settings.userType = values.Number(kUserType);
    settings.showStatus = values.Flag(kShowStatus);
    settings.cpuMhz = values.Text(kCpuMhz);
    if (!values.Find(kCpuMhz)) {
        settings.cpuMhz = measureCpuMhz ? measureCpuMhz() : std::string();
        WriteSettings({{kCpuMhz, settings.cpuMhz}});
    }
    return settings;
}

void ReadTickSettings(TickSettings& kept)
{
    const SettingValues values = ReadSettingValues();
    kept.ramAlertValue = values.Find(kRamAlertValue) ? values.Number(kRamAlertValue) : kTickRamAlertDefault;
    for (const auto& [name, flag] : {std::pair{kSoundAlert, &kept.soundAlert}, {kAutoDefrag, &kept.autoDefrag},
                                     {kStandbyAutoClean, &kept.standbyAutoClean}})
        *flag = values.FlagIfAny(name).value_or(*flag);
    kept.standbyAlertValue = values.Number(kStandbyAlertValue);
    kept.askFirst = !values.Flag(kNoticeDialog);
    kept.intervalMinutes = values.Number(kAutoCleanInterval);
    kept.backOffPercent = values.Number(kAutoCleanBackOff);
    kept.pauseUnhelpful = values.Flag(kAutoCleanPauseUnhelpful);
    kept.pausePrograms = values.List(kPausePrograms);
}

bool KeyChangeWatch::MayHaveChanged()
{
    if (key_.IsOpen() && WaitForSingleObject(changed_.get(), 0) == WAIT_TIMEOUT)
        return false;
    if (!changed_)
        changed_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!key_.IsOpen() && changed_)
        key_.Open(HKEY_LOCAL_MACHINE, path_, KEY_NOTIFY);
    // Watched again before the caller reads: a change made during the read is seen next time.
    constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (key_.IsOpen() &&
        RegNotifyChangeKeyValue(key_.Handle(), subtree_, kChanges, changed_.get(), TRUE) != ERROR_SUCCESS)
        key_.Close(); // deleted: opened again at the next call
    return true;
}

bool SettingsChangeWatch::MayHaveChanged()
{
    const bool stored = settings_.MayHaveChanged();
    return policies_.MayHaveChanged() || stored; // both watched again
}

CleaningMethodSettings ReadCleaningMethodSettings()
{
    const SettingValues values = ReadSettingValues();
    CleaningMethodSettings settings;
    settings.methods = static_cast<MethodSet>(values.Number(kCleanMethods));
    settings.standbyAutoClean = values.Flag(kStandbyAutoClean);
    settings.standbyAlertValue = values.Number(kStandbyAlertValue);
    settings.keepWorkingSets = values.List(kKeepWorkingSets);
    settings.pausePrograms = values.List(kPausePrograms);
    settings.intervalMinutes = values.Number(kAutoCleanInterval);
    settings.backOffPercent = values.Number(kAutoCleanBackOff);
    settings.pauseUnhelpful = values.Flag(kAutoCleanPauseUnhelpful);
    return settings;
}

void WriteCleaningMethodSettings(const CleaningMethodSettings& settings)
{
    WriteSettings({{kCleanMethods, static_cast<int32_t>(settings.methods)},
                   {kStandbyAutoClean, int32_t{settings.standbyAutoClean}},
                   {kStandbyAlertValue, settings.standbyAlertValue},
                   {kKeepWorkingSets, settings.keepWorkingSets},
                   {kPausePrograms, settings.pausePrograms},
                   {kAutoCleanInterval, settings.intervalMinutes},
                   {kAutoCleanBackOff, settings.backOffPercent},
                   {kAutoCleanPauseUnhelpful, int32_t{settings.pauseUnhelpful}}});
}

void SaveSettings(const SavedSettings& settings, const std::string& programPath)
{
    WriteSettings({{kUserType, settings.userType},
                   {kSoundAlert, int32_t{settings.soundAlert}},
                   {kAutoDefrag, int32_t{settings.autoDefrag}},
                   {kCleanClipBoard, int32_t{settings.cleanClipBoard}},
                   {kRamAlertValue, settings.ramAlertValue},
                   {kSliderPos, settings.sliderPos},
                   {kBuildReport, int32_t{settings.buildReport}},
                   {kNoticeDialog, int32_t{settings.noticeDialog}}});
    if (ReadPolicies().Fixed(kAutostart))
        return; // the window's set-up put the organisation's choice in place
    if (settings.runAfterBoot)
        EnableAutostart(programPath);
    else
        DisableAutostart();
}

void FollowAutostartPolicy(const std::string& programPath)
{
    const std::optional<bool> wanted = ReadPolicies().FlagIfAny(kAutostart);
    if (!wanted || *wanted == AutostartExists())
        return;
    if (*wanted)
        EnableAutostart(programPath);
    else
        DisableAutostart();
}

void WriteNoticeDialog(bool dontAsk) { WriteSettings({{kNoticeDialog, int32_t{dontAsk}}}); }

void WriteOtherFunctionTips(bool openToolsWithoutWarning)
{
    // Stored the other way round: 1 (or absent) means warn.
    WriteSettings({{kOtherFunctionTips, int32_t{!openToolsWithoutWarning}}});
}

void WriteShowStatus(bool shown) { WriteSettings({{kShowStatus, int32_t{shown}}}); }

uint32_t ReadCleanHotkey() { return static_cast<uint32_t>(ReadSettingValues().Number(kCleanHotkey)); }

void WriteCleanHotkey(uint32_t stored) { WriteSettings({{kCleanHotkey, static_cast<int32_t>(stored)}}); }
