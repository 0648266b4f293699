#include "tools/cache/cache_registry_win.h"

#include <windows.h>

#include "common/registry_key_win.h"
#include "common/settings_keys.h"
#include "tools/cache/cache_tables.h"

namespace cache {

namespace {

constexpr const char* kControlKey = "System\\CurrentControlSet\\Control";
// Created with its parent: a system without a FileSystem key (Wine has none) still gets the values.
constexpr const char* kCdfsName = "FileSystem\\CDFS";
constexpr const char* kSessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kMemoryManagementName = "Memory Management";
constexpr const char* kCdValueNames[] = {"CacheSize", "Prefetch", "PrefetchTail"};
constexpr const char* kMemoryDefaultBackup = "MMDefault";
constexpr const char* kBackupDone = "CacheBackupBOOL";
constexpr const char* kHardDiskChoice = "HDUSEValue";
constexpr const char* kCdChoice = "CDUSEValue";
constexpr const char* kClearPageFile = "ClearPageFileAtShutdown";
constexpr const char* kLargeSystemCache = "LargeSystemCache";

CRegistryKey OpenKey(const std::string& path)
{
    CRegistryKey key;
    key.Open(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
    return key;
}

// A failed create must not leave the parent open, or the writes meant for the child land there.
CRegistryKey CreateKey(const std::string& parent, const std::string& child)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, parent, KEY_ALL_ACCESS) != ERROR_SUCCESS ||
        key.CreateSubKey(child) != ERROR_SUCCESS)
        key.Close();
    return key;
}

CRegistryKey OpenMemoryManagement()
{
    return OpenKey(std::string(kSessionManagerKey) + "\\" + kMemoryManagementName);
}

CRegistryKey CreateSettingsKey() { return CreateKey(kSettingsParentKey, kSettingsSubKey); }

CRegistryKey OpenSettingsKey() { return OpenKey(kSettingsKey); }

bool QueryFourBytes(const CRegistryKey& key, const char* name, DWORD& value)
{
    if (!key.IsOpen())
        return false;
    DWORD data = 0, size = sizeof(data);
    if (RegQueryValueExA(key.Handle(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
        size != sizeof(data))
        return false;
    value = data;
    return true;
}

void WriteClearPageFile(CRegistryKey& memoryManagement, bool clearPageFile)
{
    if (clearPageFile)
        memoryManagement.SetDword(kClearPageFile, 1);
    else
        memoryManagement.DeleteValue(kClearPageFile);
}

} // namespace

bool ReadClearPageFile()
{
    DWORD value = 0;
    OpenMemoryManagement().QueryDword(kClearPageFile, value);
    return value != 0;
}

void TakeBackupOnce()
{
    CRegistryKey settings = CreateSettingsKey();
    DWORD done = 0;
    if (settings.QueryDword(kBackupDone, done) != ERROR_SUCCESS) {
        const CRegistryKey cdfs = OpenKey(std::string(kControlKey) + "\\" + kCdfsName);
        for (const char* name : kCdValueNames) {
            DWORD value = 0;
            if (cdfs.IsOpen() && cdfs.QueryDword(name, value) == ERROR_SUCCESS)
                settings.SetDword(name, value);
        }
        DWORD memoryDefault = 0;
        if (QueryFourBytes(OpenMemoryManagement(), "", memoryDefault))
            settings.SetDword(kMemoryDefaultBackup, memoryDefault);
        done = 1;
    }
    settings.SetDword(kBackupDone, done);
}

std::optional<long> SavedHardDiskPosition()
{
    DWORD value = 0;
    const CRegistryKey settings = OpenSettingsKey();
    if (!settings.IsOpen() || settings.QueryDword(kHardDiskChoice, value) != ERROR_SUCCESS)
        return std::nullopt;
    return static_cast<long>(static_cast<LONG>(value));
}

long SavedCdPosition()
{
    DWORD value = 0;
    OpenSettingsKey().QueryDword(kCdChoice, value);
    return static_cast<long>(static_cast<LONG>(value));
}

void SaveSettings(int cdPosition, int hardDiskPosition, bool clearPageFile)
{
    const int c = ClampCdPosition(cdPosition);
    const int h = ClampHardDiskPosition(hardDiskPosition);

    CRegistryKey cdfs = CreateKey(kControlKey, kCdfsName);
    cdfs.SetDword("CacheSize", kCdCacheSize[c]);
    cdfs.SetDword("Prefetch", kCdPrefetch[c]);
    cdfs.SetDword("PrefetchTail", kCdPrefetch[c]);

    CRegistryKey memoryManagement = OpenMemoryManagement();
    memoryManagement.SetDword("", kHardDiskCache[h]);
    memoryManagement.SetDword(kLargeSystemCache, 1);
    WriteClearPageFile(memoryManagement, clearPageFile);

    CRegistryKey settings = CreateSettingsKey();
    settings.SetDword(kCdChoice, static_cast<DWORD>(c));
    settings.SetDword(kHardDiskChoice, static_cast<DWORD>(h));
}

void RestoreBackup()
{
    CRegistryKey settings = OpenSettingsKey();
    CRegistryKey cdfs = OpenKey(std::string(kControlKey) + "\\" + kCdfsName);
    for (const char* name : kCdValueNames) {
        DWORD value = 0;
        if (settings.QueryDword(name, value) == ERROR_SUCCESS)
            cdfs.SetDword(name, value);
    }
    CRegistryKey memoryManagement = OpenMemoryManagement();
    DWORD memoryDefault = 0;
    if (settings.QueryDword(kMemoryDefaultBackup, memoryDefault) == ERROR_SUCCESS)
        memoryManagement.SetDword("", memoryDefault);
    memoryManagement.SetDword(kLargeSystemCache, 0);
    settings.DeleteValue(kCdChoice);
    settings.DeleteValue(kHardDiskChoice);
}

void StoreClearPageFile(bool clearPageFile)
{
    CRegistryKey memoryManagement = CreateKey(kSessionManagerKey, kMemoryManagementName);
    WriteClearPageFile(memoryManagement, clearPageFile);
}

} // namespace cache
