#pragma once
// The settings accesses, grouped as the program makes them. Each group opens the keys it needs
// and closes them again; registry failures are silent and leave the defaults.
#include <cstdint>
#include <functional>
#include <string>

#include "app/settings/settings.h"
#include "common/registry_key_win.h"
#include "win32/handles.h"

// The running program's full path.
std::string ProgramPath();

// First start: when the settings key cannot be opened, create it and the start with Windows of
// programPath.
// True when the key was created.
bool PrepareFirstStart(const std::string& programPath);

ConstructionSettings ReadConstructionSettings();

// measureCpuMhz gives the clock text when none is stored; it is then stored (the settings key is
// created when missing).
SetUpSettings ReadSetUpSettings(const std::function<std::string()>& measureCpuMhz);

void ReadTickSettings(TickSettings& kept);

// Says whether a key or what lies below it may have changed since it last said yes, for one wait
// that does not wait. Yes the first time and as long as the key cannot be watched.
class KeyChangeWatch {
public:
    KeyChangeWatch(const char* path, bool subtree) : path_(path), subtree_(subtree) {}
    bool MayHaveChanged();

private:
    const char* path_;
    bool subtree_;
    CRegistryKey key_;
    win32::UniqueHandle changed_; // set by the registry, reset by the wait that sees it
};

// The stored settings, and the policies: Windows keeps every policy below one key, which is
// always there, where Tidewell's own may come and go.
class SettingsChangeWatch {
public:
    bool MayHaveChanged();

private:
    KeyChangeWatch settings_{kSettingsKey, false};
    KeyChangeWatch policies_{"Software\\Policies", true};
};

// The save command; then the start with Windows of programPath is put in place or removed. What a
// policy sets is neither written nor changed.
void SaveSettings(const SavedSettings& settings, const std::string& programPath);
// A policy that sets the start with Windows is put in place: the task made or taken away.
void FollowAutostartPolicy(const std::string& programPath);

CleaningMethodSettings ReadCleaningMethodSettings();
// Written when the methods dialog closes with OK.
void WriteCleaningMethodSettings(const CleaningMethodSettings& settings);

// Single values written the moment their control changes.
void WriteNoticeDialog(bool dontAsk);
void WriteOtherFunctionTips(bool openToolsWithoutWarning);
void WriteShowStatus(bool shown);

// The hotkey that cleans (clean_hotkey.h), 0 for none; written once it has been registered.
uint32_t ReadCleanHotkey();
void WriteCleanHotkey(uint32_t stored);
