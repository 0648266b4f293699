#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/autostart_seams_win.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/test_paths.h"
#include "tools/startup/startup_item.h"
#include "tools/startup/startup_keys_win.h"

namespace startup_testing {

using testing_support::RecordingHost;

inline constexpr int kKeyKinds[] = {MachineRun,      MachineRunServices, MachineRunDisabled,
                                    MachineRunServicesDisabled, UserRun, UserRunDisabled,
                                    MachineRun32,    MachineRun32Disabled};

// Where the kind's key is seen from this 64-bit test: the 32-bit view under Wow6432Node.
struct TestPlace {
    HKEY root;
    std::string path;
};

inline TestPlace PlaceOf(int kind)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    std::string path = place.path;
    if (place.view == KEY_WOW64_32KEY)
        path.insert(std::string("Software\\").size(), "Wow6432Node\\");
    return {place.root, path};
}

inline void DeleteKey(int kind)
{
    const TestPlace place = PlaceOf(kind);
    RegDeleteTreeA(place.root, place.path.c_str());
}

inline void SetRawValue(int kind, const std::string& name, DWORD type, const std::string& data)
{
    const TestPlace place = PlaceOf(kind);
    testing_support::WriteValue(place.root, place.path, name, type, data.data(), static_cast<DWORD>(data.size()));
}

// The type and bytes exactly as stored, or type REG_NONE with "<missing>".
inline std::pair<DWORD, std::string> GetRawValue(int kind, const std::string& name)
{
    const TestPlace place = PlaceOf(kind);
    HKEY key = nullptr;
    DWORD type = 0, size = 0;
    std::pair<DWORD, std::string> value{REG_NONE, "<missing>"};
    if (RegOpenKeyExA(place.root, place.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string data(size, '\0');
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        value = {type, data.substr(0, size)};
    }
    RegCloseKey(key);
    return value;
}

inline void SetValue(int kind, const std::string& name, const std::string& data)
{
    const TestPlace place = PlaceOf(kind);
    testing_support::WriteValue(place.root, place.path, name, REG_SZ, data.c_str(),
                                static_cast<DWORD>(data.size() + 1));
}

inline std::string GetValue(int kind, const std::string& name)
{
    const TestPlace place = PlaceOf(kind);
    std::vector<char> data(70000, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    return RegGetValueA(place.root, place.path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size) ==
                   ERROR_SUCCESS
               ? std::string(data.data())
               : "<missing>";
}

// The six keys emptied and the own entry present; everything put back afterwards.
class StartupState {
public:
    explicit StartupState(const std::string& name) : folder_(name)
    {
        for (int kind : kKeyKinds) {
            const TestPlace place = PlaceOf(kind);
            snapshots_.emplace_back(place.root, place.path);
            snapshots_.back().ClearValues();
        }
        SetValue(MachineRun, "Orvanta", "\"C:\\Tidewell\\Tidewell.exe\" -PowerOn");
    }
    ~StartupState()
    {
        for (const auto& shot : snapshots_)
            shot.Restore();
    }
    StartupState(const StartupState&) = delete;
    StartupState& operator=(const StartupState&) = delete;

    std::string DelayList() const { return folder_.File("Delay.ini"); }
    const testing_support::ScratchDir& Folder() const { return folder_; }

    testing_support::PretendPlaces places; // Wine protects no folder: pretend the scratch one is

private:
    testing_support::ScratchDir folder_;
    std::vector<testing_support::RegistrySnapshot> snapshots_;
};

} // namespace startup_testing
