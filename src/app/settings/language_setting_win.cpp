#include "app/settings/language_setting_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "common/interface_language.h"
#include "common/interface_language_win.h"
#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/settings_keys.h"

namespace {

std::optional<std::string> ReadSetting(const char* keyPath, const char* name)
{
    CRegistryKey key;
    std::string value;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ) != ERROR_SUCCESS ||
        key.QueryString(value, name) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

} // namespace

void StoreLanguage(const std::string& folder) { WriteSettings({{kLanguage, folder}}); }

std::optional<std::string> TakeStartLanguage()
{
    std::vector<std::string> folders;
    for (const LanguageFile& language : AvailableLanguages())
        if (!language.folder.empty())
            folders.push_back(language.folder);
    // An organisation's language, else the stored one; a language not shipped is English.
    const std::optional<SettingValue> set = ReadSettingValues().Find(kLanguage);
    const std::optional<std::string> stored = set ? std::optional(std::get<std::string>(*set)) : std::nullopt;
    std::optional<std::string> picked;
    if (!stored) {
        const std::string told = ReadSetting(kInstallerKey, kInstallerLanguage).value_or(std::string());
        picked = PickLanguage(told.empty() ? PreferredUiLanguages() : std::vector<std::string>{told}, folders);
    }
    const std::string chosen = stored ? *stored : *picked;
    SetInterfaceLanguage(std::ranges::count(folders, chosen) ? chosen : std::string());
    return picked;
}

void ChooseLanguage(const std::string& folder)
{
    StoreLanguage(folder);
    SetInterfaceLanguage(folder);
}
