#include "tools/startup/startup_keys_win.h"

#include "common/registry_key_win.h"
#include "tools/startup/startup_item.h"

namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunServices = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr const char* kRunDisabled = "Software\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr const char* kRunServicesDisabled = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices-";

// Only a 64-bit system keeps the 32-bit programs' machine keys apart.
bool HasSeparate32BitView()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

bool OpenKey(int kind, REGSAM access, CRegistryKey& key)
{
    StartupKeyPlace place{};
    return StartupKeyOf(kind, place) && key.Open(place.root, place.path, access | place.view) == ERROR_SUCCESS;
}

} // namespace

bool StartupKeyOf(int kind, StartupKeyPlace& place)
{
    switch (kind) {
    case MachineRun: place = {HKEY_LOCAL_MACHINE, kRun, KEY_WOW64_64KEY}; return true;
    case MachineRunServices: place = {HKEY_LOCAL_MACHINE, kRunServices, KEY_WOW64_64KEY}; return true;
    case MachineRunDisabled: place = {HKEY_LOCAL_MACHINE, kRunDisabled, KEY_WOW64_64KEY}; return true;
    case MachineRunServicesDisabled: place = {HKEY_LOCAL_MACHINE, kRunServicesDisabled, KEY_WOW64_64KEY}; return true;
    case UserRun: place = {HKEY_CURRENT_USER, kRun, 0}; return true;
    case UserRunDisabled: place = {HKEY_CURRENT_USER, kRunDisabled, 0}; return true;
    case MachineRun32: place = {HKEY_LOCAL_MACHINE, kRun, KEY_WOW64_32KEY}; return HasSeparate32BitView();
    case MachineRun32Disabled: place = {HKEY_LOCAL_MACHINE, kRunDisabled, KEY_WOW64_32KEY}; return HasSeparate32BitView();
    default: return false;
    }
}

std::vector<std::string> ReadStartupNames(int kind)
{
    std::vector<std::string> names;
    for (RegistryValue& value : ReadStartupValues(kind))
        names.push_back(std::move(value.name));
    return names;
}

std::vector<RegistryValue> ReadStartupValues(int kind)
{
    CRegistryKey key;
    return OpenKey(kind, KEY_READ, key) ? ReadNamedValues(key.Handle()) : std::vector<RegistryValue>{};
}

bool StartupValueExists(int kind, const std::string& name)
{
    CRegistryKey key;
    DWORD type = 0;
    std::string data;
    return OpenKey(kind, KEY_READ, key) && QueryNamedValue(key.Handle(), name, type, data) == ERROR_SUCCESS;
}

bool WriteStartupValue(int kind, const std::string& name, DWORD type, const std::string& data)
{
    CRegistryKey key;
    return OpenKey(kind, KEY_ALL_ACCESS, key) && SetNamedValue(key.Handle(), name, type, data) == ERROR_SUCCESS;
}

bool RemoveStartupValue(int kind, const std::string& name)
{
    CRegistryKey key;
    return OpenKey(kind, KEY_ALL_ACCESS, key) && DeleteNamedValue(key.Handle(), name) == ERROR_SUCCESS;
}

void CreateStartupKey(int kind)
{
    StartupKeyPlace place{};
    if (!StartupKeyOf(kind, place))
        return;
    const std::string path = place.path;
    const auto slash = path.find_last_of('\\');
    CRegistryKey key;
    if (key.Open(place.root, path.substr(0, slash), KEY_ALL_ACCESS | place.view) == ERROR_SUCCESS)
        key.CreateSubKey(path.substr(slash + 1), nullptr, 0, KEY_ALL_ACCESS | place.view);
}
