#include "common/setting_store_win.h"

#include <windows.h>

#include "common/registry_key_win.h"
#include "common/settings_keys.h"

static_assert(kRegSz == REG_SZ && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);

namespace {

void ReadRows(SettingValues& values, const char* keyPath, ValueOrigin origin)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ) != ERROR_SUCCESS)
        return;
    for (const SettingRow& row : SettingTable()) {
        if (origin == ValueOrigin::Policy ? !row.policy : row.home != SettingHome::Key)
            continue;
        DWORD type = REG_NONE;
        std::string bytes;
        if (key.QueryValue(row.name, type, bytes) == ERROR_SUCCESS)
            values.Take(row, origin, {type, std::move(bytes)});
    }
}

} // namespace

SettingValues ReadSettingValues()
{
    SettingValues values = ReadPolicies();
    ReadRows(values, kSettingsKey, ValueOrigin::Stored);
    return values;
}

SettingValues ReadPolicies()
{
    SettingValues values;
    ReadRows(values, kPolicyKey, ValueOrigin::Policy);
    return values;
}

void WriteSettings(std::initializer_list<std::pair<const char*, SettingValue>> values)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kSettingsParentKey, KEY_ALL_ACCESS) != ERROR_SUCCESS ||
        key.CreateSubKey(kSettingsSubKey) != ERROR_SUCCESS)
        return;
    const SettingValues policies = ReadPolicies();
    for (const auto& [name, value] : values) {
        if (policies.Fixed(name))
            continue; // the organisation's value is its own, never the user's stored one
        const RegistryBytes bytes = EncodeSetting(SettingRowOf(name), value);
        key.SetValue(name, bytes.type, bytes.bytes);
    }
}
