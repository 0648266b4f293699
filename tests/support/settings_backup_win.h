#pragma once
// Keeps a copy of the program's settings key so that a test can change or delete it and put it
// back as it was: saved into a scratch key of the current user, copied back as a whole tree.
#include <windows.h>

#include "app/settings.h"
#include "common/registry_key_win.h"

namespace testing_support {

class SettingsBackup {
public:
    // Saves the key as it is now.
    void Save()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kBackupKey);
        hadSettings_ = Copy(HKEY_LOCAL_MACHINE, kSettingsKey, HKEY_CURRENT_USER, kBackupKey) == ERROR_SUCCESS;
    }
    // Replaces whatever the test left by what was saved (nothing, if the key was missing).
    void Restore() const
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        if (hadSettings_)
            Copy(HKEY_CURRENT_USER, kBackupKey, HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    }

private:
    static constexpr char kScratchKey[] = "Software\\TidewellTests";
    static constexpr char kBackupKey[] = "Software\\TidewellTests\\KelvaneBackup";

    static LONG Copy(HKEY fromRoot, const char* from, HKEY toRoot, const char* to)
    {
        CRegistryKey source, target;
        LONG rc = source.Open(fromRoot, from, KEY_READ);
        if (rc == ERROR_SUCCESS)
            rc = target.Open(toRoot, "", KEY_ALL_ACCESS);
        if (rc == ERROR_SUCCESS)
            rc = target.CreateSubKey(to);
        return rc == ERROR_SUCCESS ? RegCopyTreeA(source.Handle(), nullptr, target.Handle()) : rc;
    }

    bool hadSettings_ = false;
};

} // namespace testing_support
