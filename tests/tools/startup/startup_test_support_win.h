#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/test_paths.h"
#include "tools/startup/startup_item.h"
#include "tools/startup/startup_keys_win.h"

namespace startup_testing {

using testing_support::RecordingHost;

inline constexpr int kKeyKinds[] = {MachineRun, MachineRunServices, MachineRunDisabled,
                                    MachineRunServicesDisabled, UserRun, UserRunDisabled};

inline StartupKeyPlace PlaceOf(int kind)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    return place;
}

inline void DeleteKey(int kind)
{
    const StartupKeyPlace place = PlaceOf(kind);
    RegDeleteTreeA(place.root, place.path);
}

inline void SetValue(int kind, const std::string& name, const std::string& data)
{
    const StartupKeyPlace place = PlaceOf(kind);
    testing_support::WriteValue(place.root, place.path, name, REG_SZ, data.c_str(),
                                static_cast<DWORD>(data.size() + 1));
}

inline std::string GetValue(int kind, const std::string& name)
{
    const StartupKeyPlace place = PlaceOf(kind);
    std::vector<char> data(70000, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    return RegGetValueA(place.root, place.path, name.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size) ==
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
            const StartupKeyPlace place = PlaceOf(kind);
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

private:
    testing_support::ScratchDir folder_;
    std::vector<testing_support::RegistrySnapshot> snapshots_;
};

} // namespace startup_testing
