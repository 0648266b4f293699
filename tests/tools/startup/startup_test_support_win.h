#pragma once
// Shared by the startup tests under Wine: the six startup keys emptied for a test and put back as
// they were, a Delay.ini in a scratch program folder, and a UI host that answers message boxes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/test_paths.h"
#include "tools/startup/startup_item.h"
#include "tools/startup/startup_keys_win.h"
#include "win32/ui_host.h"

namespace startup_testing {

// Every value of one key, kept byte for byte.
struct KeySnapshot {
    int kind = 0;
    bool existed = false;
    struct Value {
        std::string name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    std::vector<Value> values;
};

inline std::vector<std::string> ValueNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD length = sizeof(name);
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

inline KeySnapshot TakeSnapshot(int kind)
{
    KeySnapshot shot;
    shot.kind = kind;
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return shot;
    shot.existed = true;
    for (const std::string& name : ValueNames(key)) {
        KeySnapshot::Value value;
        value.name = name;
        DWORD size = 0;
        RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
        value.data.resize(size);
        RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        shot.values.push_back(std::move(value));
    }
    RegCloseKey(key);
    return shot;
}

inline void ClearKey(int kind)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (const std::string& name : ValueNames(key))
        RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

inline void RestoreSnapshot(const KeySnapshot& shot)
{
    StartupKeyPlace place{};
    StartupKeyOf(shot.kind, place);
    if (!shot.existed) {
        RegDeleteTreeA(place.root, place.path);
        RegDeleteKeyA(place.root, place.path);
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(place.root, place.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    for (const std::string& name : ValueNames(key))
        RegDeleteValueA(key, name.c_str());
    for (const KeySnapshot::Value& v : shot.values)
        RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
}

inline constexpr int kKeyKinds[] = {MachineRun, MachineRunServices, MachineRunDisabled,
                                    MachineRunServicesDisabled, UserRun, UserRunDisabled};

inline void CreateKey(int kind)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    HKEY key = nullptr;
    if (RegCreateKeyExA(place.root, place.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        == ERROR_SUCCESS)
        RegCloseKey(key);
}

inline void DeleteKey(int kind)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    RegDeleteTreeA(place.root, place.path);
    RegDeleteKeyA(place.root, place.path);
}

inline void SetValue(int kind, const std::string& name, const std::string& data)
{
    CreateKey(kind);
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

// The value's data, or "<missing>".
inline std::string GetValue(int kind, const std::string& name)
{
    StartupKeyPlace place{};
    StartupKeyOf(kind, place);
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    std::vector<char> data(70000, '\0');
    DWORD size = static_cast<DWORD>(data.size() - 1);
    const LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(data.data()) : "<missing>";
}

// Records message boxes and answers them; optionally answers modal dialogs.
class RecordingHost : public win32::UiHost {
public:
    struct Message {
        std::string text, caption;
        UINT type;
    };
    std::vector<Message> messages;
    int answer = IDOK;
    std::function<INT_PTR(win32::Dialog&)> modal;

    RecordingHost() { win32::SetUiHost(this); }
    ~RecordingHost() override { win32::SetUiHost(nullptr); }
    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        messages.push_back({text, caption, type});
        return answer;
    }
    INT_PTR RunModal(win32::Dialog& dialog, HWND parent) override
    {
        return modal ? modal(dialog) : win32::UiHost::RunModal(dialog, parent);
    }
};

// The six keys emptied for the test, a scratch program folder for Delay.ini, and the own entry
// present unless a test removes it. Everything is put back afterwards.
class StartupState {
public:
    explicit StartupState(const std::string& name) : folder_(name)
    {
        for (int kind : kKeyKinds) {
            snapshots_.push_back(TakeSnapshot(kind));
            ClearKey(kind);
        }
        SetValue(MachineRun, "Orvanta", "\"C:\\Tidewell\\Tidewell.exe\" -PowerOn");
    }
    ~StartupState()
    {
        for (const KeySnapshot& shot : snapshots_)
            RestoreSnapshot(shot);
    }
    StartupState(const StartupState&) = delete;
    StartupState& operator=(const StartupState&) = delete;

    std::string DelayList() const { return folder_.File("Delay.ini"); }
    const testing_support::ScratchDir& Folder() const { return folder_; }

private:
    testing_support::ScratchDir folder_;
    std::vector<KeySnapshot> snapshots_;
};

} // namespace startup_testing
