#include "app/settings/settings_win.h"

#include <windows.h>

#include <algorithm>

#include "app/settings/autostart_win.h"
#include "common/registry_key_win.h"

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

// A failed read keeps the preset default; the stored type is not checked, and any non-zero
// value reads as true.
template <typename T>
void Read(const CRegistryKey& key, const char* name, T& value)
{
    DWORD data = static_cast<DWORD>(value);
    if (key.QueryDword(name, data) == ERROR_SUCCESS)
        value = static_cast<T>(data);
}

// Booleans are stored as 0 or 1.
template <typename T>
void Write(CRegistryKey& key, const char* name, T value)
{
    key.SetDword(name, static_cast<DWORD>(value));
}

// A stored number outside its range is taken as the nearest bound.
void ReadClamped(const CRegistryKey& key, const char* name, int32_t& value, int32_t most)
{
    Read(key, name, value);
    value = std::clamp(value, 0, most);
}

// Anything but a well-formed list reads as an empty one.
ProgramList ReadProgramList(const CRegistryKey& key, const char* name)
{
    DWORD type = REG_NONE;
    std::string bytes;
    if (key.QueryValue(name, type, bytes) != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return {};
    return ProgramListFromBytes(bytes);
}

void WriteProgramList(CRegistryKey& key, const char* name, const ProgramList& list)
{
    key.SetValue(name, REG_MULTI_SZ, ProgramListBytes(list));
}

template <typename T>
void WriteSingle(const char* name, T value)
{
    CRegistryKey key;
    if (OpenSettings(key) == ERROR_SUCCESS)
        Write(key, name, value);
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
        Write(key, kRamAlertValue, *told);
    if (autostart != "0")
        EnableAutostart(programPath);
    return true;
}

ConstructionSettings ReadConstructionSettings()
{
    ConstructionSettings settings;
    CRegistryKey key;
    if (OpenSettings(key) == ERROR_SUCCESS) {
        Read(key, kSoundAlert, settings.soundAlert);
        Read(key, kAutoDefrag, settings.autoDefrag);
        Read(key, kCleanClipBoard, settings.cleanClipBoard);
        Read(key, kRamAlertValue, settings.ramAlertValue);
        Read(key, kBuildReport, settings.buildReport);
        Read(key, kNoticeDialog, settings.noticeDialog);
        Read(key, kOtherFunctionTips, settings.otherFunctionTips);
    }
    settings.runAfterBoot = AutostartExists();
    return settings;
}

SetUpSettings ReadSetUpSettings(const std::function<std::string()>& measureCpuMhz)
{
    SetUpSettings settings;
    CRegistryKey key;
    bool created = false;
    if (OpenSettings(key) != ERROR_SUCCESS)
        created = CreateSettings(key) == ERROR_SUCCESS;
    Read(key, kSliderPos, settings.sliderPos);
    if (created || key.QueryString(settings.cpuMhz, kCpuMhz) != ERROR_SUCCESS) {
        settings.cpuMhz = measureCpuMhz ? measureCpuMhz() : std::string();
        key.SetString(kCpuMhz, settings.cpuMhz);
    }
    Read(key, kUserType, settings.userType);
    Read(key, kShowStatus, settings.showStatus);
    return settings;
}

void ReadTickSettings(TickSettings& kept)
{
    kept.ramAlertValue = kTickRamAlertDefault;
    const TickSettings defaults;
    kept.askFirst = defaults.askFirst;
    kept.intervalMinutes = defaults.intervalMinutes;
    kept.backOffPercent = defaults.backOffPercent;
    kept.pausePrograms.clear();
    CRegistryKey key;
    if (OpenSettings(key) != ERROR_SUCCESS)
        return;
    Read(key, kRamAlertValue, kept.ramAlertValue);
    Read(key, kSoundAlert, kept.soundAlert);
    Read(key, kAutoDefrag, kept.autoDefrag);
    Read(key, kStandbyAutoClean, kept.standbyAutoClean);
    Read(key, kStandbyAlertValue, kept.standbyAlertValue);
    bool dontAsk = false;
    Read(key, kNoticeDialog, dontAsk);
    kept.askFirst = !dontAsk;
    ReadClamped(key, kAutoCleanInterval, kept.intervalMinutes, kMaxIntervalMinutes);
    ReadClamped(key, kAutoCleanBackOff, kept.backOffPercent, kMaxBackOffPercent);
    kept.pausePrograms = ReadProgramList(key, kPausePrograms);
}

bool SettingsChangeWatch::MayHaveChanged()
{
    if (key_.IsOpen() && WaitForSingleObject(changed_.get(), 0) == WAIT_TIMEOUT)
        return false;
    if (!changed_)
        changed_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!key_.IsOpen() && changed_)
        key_.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_NOTIFY);
    // Watched again before the caller reads: a change made during the read is seen next time.
    constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (key_.IsOpen() && RegNotifyChangeKeyValue(key_.Handle(), FALSE, kChanges, changed_.get(), TRUE) != ERROR_SUCCESS)
        key_.Close(); // deleted: opened again at the next call
    return true;
}

CleaningMethodSettings ReadCleaningMethodSettings()
{
    CleaningMethodSettings settings;
    CRegistryKey key;
    if (OpenSettings(key) == ERROR_SUCCESS) {
        Read(key, kCleanMethods, settings.methods);
        Read(key, kStandbyAutoClean, settings.standbyAutoClean);
        Read(key, kStandbyAlertValue, settings.standbyAlertValue);
        settings.keepWorkingSets = ReadProgramList(key, kKeepWorkingSets);
        settings.pausePrograms = ReadProgramList(key, kPausePrograms);
        ReadClamped(key, kAutoCleanInterval, settings.intervalMinutes, kMaxIntervalMinutes);
        ReadClamped(key, kAutoCleanBackOff, settings.backOffPercent, kMaxBackOffPercent);
    }
    return settings;
}

void WriteCleaningMethodSettings(const CleaningMethodSettings& settings)
{
    CRegistryKey key;
    if (OpenSettings(key) != ERROR_SUCCESS)
        return;
    Write(key, kCleanMethods, settings.methods);
    Write(key, kStandbyAutoClean, settings.standbyAutoClean);
    Write(key, kStandbyAlertValue, settings.standbyAlertValue);
    WriteProgramList(key, kKeepWorkingSets, settings.keepWorkingSets);
    WriteProgramList(key, kPausePrograms, settings.pausePrograms);
    Write(key, kAutoCleanInterval, settings.intervalMinutes);
    Write(key, kAutoCleanBackOff, settings.backOffPercent);
}

void SaveSettings(const SavedSettings& settings, const std::string& programPath)
{
    {
        CRegistryKey key;
        if (OpenSettings(key) == ERROR_SUCCESS) {
            Write(key, kUserType, settings.userType);
            Write(key, kSoundAlert, settings.soundAlert);
            Write(key, kAutoDefrag, settings.autoDefrag);
            Write(key, kCleanClipBoard, settings.cleanClipBoard);
            Write(key, kRamAlertValue, settings.ramAlertValue);
            Write(key, kSliderPos, settings.sliderPos);
            Write(key, kBuildReport, settings.buildReport);
            Write(key, kNoticeDialog, settings.noticeDialog);
        }
    }
    if (settings.runAfterBoot)
        EnableAutostart(programPath);
    else
        DisableAutostart();
}

void WriteNoticeDialog(bool dontAsk) { WriteSingle(kNoticeDialog, dontAsk); }

void WriteOtherFunctionTips(bool openToolsWithoutWarning)
{
    // Stored the other way round: 1 (or absent) means warn.
    WriteSingle(kOtherFunctionTips, !openToolsWithoutWarning);
}

void WriteShowStatus(bool shown) { WriteSingle(kShowStatus, shown); }

uint32_t ReadCleanHotkey()
{
    uint32_t stored = 0;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) == ERROR_SUCCESS)
        Read(key, kCleanHotkey, stored);
    return stored;
}

void WriteCleanHotkey(uint32_t stored) { WriteSingle(kCleanHotkey, stored); }
