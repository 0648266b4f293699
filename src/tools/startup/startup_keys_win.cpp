#include "tools/startup/startup_keys_win.h"

#include "common/registry_key_win.h"
#include "tools/startup/startup_item.h"

namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunServices = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr const char* kRunDisabled = "Software\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr const char* kRunServicesDisabled = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices-";

} // namespace

bool StartupKeyOf(int kind, StartupKeyPlace& place)
{
    switch (kind) {
    case MachineRun: place = {HKEY_LOCAL_MACHINE, kRun}; return true;
    case MachineRunServices: place = {HKEY_LOCAL_MACHINE, kRunServices}; return true;
    case MachineRunDisabled: place = {HKEY_LOCAL_MACHINE, kRunDisabled}; return true;
    case MachineRunServicesDisabled: place = {HKEY_LOCAL_MACHINE, kRunServicesDisabled}; return true;
    case UserRun: place = {HKEY_CURRENT_USER, kRun}; return true;
    case UserRunDisabled: place = {HKEY_CURRENT_USER, kRunDisabled}; return true;
    default: return false;
    }
}

std::vector<std::string> ReadStartupNames(int kind)
{
    std::vector<std::string> names;
    StartupKeyPlace place{};
    CRegistryKey key;
    if (StartupKeyOf(kind, place) && key.Open(place.root, place.path, KEY_READ) == ERROR_SUCCESS)
        key.EnumValueNames(names);
    return names;
}

std::vector<std::pair<std::string, std::string>> ReadStartupValues(int kind)
{
    std::vector<std::pair<std::string, std::string>> values;
    StartupKeyPlace place{};
    CRegistryKey key;
    if (!StartupKeyOf(kind, place) || key.Open(place.root, place.path, KEY_READ) != ERROR_SUCCESS)
        return values;
    std::vector<std::string> names;
    key.EnumValueNames(names);
    for (std::string& name : names) {
        std::string data;
        key.QueryString(data, name);
        values.emplace_back(std::move(name), std::move(data));
    }
    return values;
}

bool WriteStartupValue(int kind, const std::string& name, const std::string& command)
{
    StartupKeyPlace place{};
    CRegistryKey key;
    return StartupKeyOf(kind, place) && key.Open(place.root, place.path, KEY_ALL_ACCESS) == ERROR_SUCCESS
           && key.SetString(name, command) == ERROR_SUCCESS;
}

bool RemoveStartupValue(int kind, const std::string& name)
{
    StartupKeyPlace place{};
    CRegistryKey key;
    return StartupKeyOf(kind, place) && key.Open(place.root, place.path, KEY_ALL_ACCESS) == ERROR_SUCCESS
           && key.DeleteValue(name) == ERROR_SUCCESS;
}
