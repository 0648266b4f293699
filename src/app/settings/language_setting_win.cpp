#include "app/settings/language_setting_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "common/interface_language.h"
#include "common/interface_language_win.h"
#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "common/settings_keys.h"

namespace {

std::optional<std::string> ReadSetting(const char* name)
{
    CRegistryKey key;
    std::string value;
    if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) != ERROR_SUCCESS ||
        key.QueryString(value, name) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void StoreLanguage(const std::string& folder)
{
    CRegistryKey parent, key;
    if (parent.Open(HKEY_LOCAL_MACHINE, kSettingsParentKey, KEY_ALL_ACCESS) == ERROR_SUCCESS &&
        parent.CreateSubKey(kSettingsSubKey) == ERROR_SUCCESS)
        parent.SetString(kLanguage, folder);
}

} // namespace

void TakeStartLanguage()
{
    std::vector<std::string> folders;
    for (const LanguageFile& language : AvailableLanguages())
        if (!language.folder.empty())
            folders.push_back(language.folder);
    std::optional<std::string> chosen = ReadSetting(kLanguage);
    if (!chosen) {
        const std::string told = ReadSetting(kInstallLanguage).value_or(std::string());
        chosen = PickLanguage(told.empty() ? PreferredUiLanguages() : std::vector<std::string>{told}, folders);
        StoreLanguage(*chosen);
    }
    SetInterfaceLanguage(std::ranges::count(folders, *chosen) ? *chosen : std::string());
}

void ChooseLanguage(const std::string& folder)
{
    StoreLanguage(folder);
    SetInterfaceLanguage(folder);
}
