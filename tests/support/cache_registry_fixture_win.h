#pragma once
#include "support/registry_snapshot_win.h"

namespace testing_support {

inline constexpr const char* kCdfsPath = "System\\CurrentControlSet\\Control\\FileSystem\\CDFS";
inline constexpr const char* kMemoryPath = "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr const char* kSettingsPath = "Software\\Kelvane";

class CacheRegistryBackup {
public:
    void Restore() const
    {
        cdfs_.Restore();
        memory_.Restore();
        settings_.Restore();
    }

    // A machine on which the dialog was never opened.
    static void StartFresh()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kCdfsPath);
        for (const char* name : {"CacheBackupBOOL", "CacheSize", "Prefetch", "PrefetchTail", "MMDefault",
                                 "HDUSEValue", "CDUSEValue"})
            DeleteValue(HKEY_LOCAL_MACHINE, kSettingsPath, name);
        for (const char* name : {"", "LargeSystemCache", "ClearPageFileAtShutdown"})
            DeleteValue(HKEY_LOCAL_MACHINE, kMemoryPath, name);
    }

private:
    RegistrySnapshot cdfs_{HKEY_LOCAL_MACHINE, kCdfsPath};
    RegistrySnapshot memory_{HKEY_LOCAL_MACHINE, kMemoryPath};
    RegistrySnapshot settings_{HKEY_LOCAL_MACHINE, kSettingsPath};
};

inline std::optional<DWORD> Cdfs(const char* name) { return ReadDword(HKEY_LOCAL_MACHINE, kCdfsPath, name); }
inline std::optional<DWORD> Memory(const char* name) { return ReadDword(HKEY_LOCAL_MACHINE, kMemoryPath, name); }
inline std::optional<DWORD> Settings(const char* name) { return ReadDword(HKEY_LOCAL_MACHINE, kSettingsPath, name); }

} // namespace testing_support
