#pragma once
#include <windows.h>
#include <winternl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/registry_key_win.h"
#include "support/autostart_seams_win.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/test_paths.h"
#include "tools/startup/startup_item.h"
#include "tools/startup/startup_keys_win.h"
#include "win32/ntdll_entry.h"

namespace startup_testing {

using testing_support::RecordingHost;

// The kind's key as this 64-bit test sees it, named apart from the code under test: the 32-bit
// view is the key under Wow6432Node.
inline std::pair<HKEY, std::string> PlaceOf(int kind)
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
    const auto [root, path] = PlaceOf(kind);
    RegDeleteTreeA(root, path.c_str());
}

inline void SetRawValue(int kind, const std::string& name, DWORD type, const std::string& data)
{
    const auto [root, path] = PlaceOf(kind);
    testing_support::WriteValue(root, path, name, type, data.data(), static_cast<DWORD>(data.size()));
}

inline void SetValue(int kind, const std::string& name, const std::string& command)
{
    SetRawValue(kind, name, REG_SZ, command + '\0');
}

// The type and bytes exactly as stored, or REG_NONE and "<missing>".
inline std::pair<DWORD, std::string> GetRawValue(int kind, const std::string& name)
{
    const auto [root, path] = PlaceOf(kind);
    CRegistryKey key;
    std::pair<DWORD, std::string> value{REG_NONE, ""};
    if (key.Open(root, path, KEY_READ) != ERROR_SUCCESS
        || key.QueryValue(name, value.first, value.second) != ERROR_SUCCESS)
        return {REG_NONE, "<missing>"};
    return value;
}

// The kind's values, name to UTF-16 data, as RegEnumValueW counts them: a NUL in a name is kept.
inline std::map<std::wstring, std::wstring> CountedValues(int kind)
{
    const auto [root, path] = PlaceOf(kind);
    std::map<std::wstring, std::wstring> values;
    CRegistryKey key;
    key.Open(root, path, KEY_READ);
    wchar_t name[16384], data[32768];
    for (DWORD i = 0, length = 16384, size = sizeof data;
         key.IsOpen() && RegEnumValueW(key.Handle(), i, name, &length, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
         ++i, length = 16384, size = sizeof data)
        values[std::wstring(name, length)] = std::wstring(data, size / 2);
    return values;
}

// A REG_SZ value planted through the native call and its counted name, as a program that hides its
// start entry plants it; deleted the same way from every startup key when the object goes, since
// the snapshots' Reg*A calls could not.
class PlantedValue {
public:
    PlantedValue(int kind, std::wstring name, std::wstring command) : name_(std::move(name))
    {
        command += L'\0';
        using Set = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
        Native<Set>(kind, "NtSetValueKey", 0ul, DWORD{REG_SZ}, command.data(), ULONG(command.size() * 2));
    }
    ~PlantedValue()
    {
        for (int kind = 0; kind < kStartupKindCount; ++kind)
            if (kind != Delayed)
                Native<LONG(NTAPI*)(HANDLE, UNICODE_STRING*)>(kind, "NtDeleteValueKey");
    }

private:
    template <typename Fn, typename... Args>
    void Native(int kind, const char* call, Args... args)
    {
        const auto [root, path] = PlaceOf(kind);
        CRegistryKey key;
        UNICODE_STRING counted{USHORT(name_.size() * 2), USHORT(name_.size() * 2), name_.data()};
        if (key.Open(root, path, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            win32::NtdllEntry<Fn>(call)(key.Handle(), &counted, args...);
    }
    std::wstring name_;
};

// Every startup key emptied and the own entry present; everything put back afterwards.
class StartupState {
public:
    explicit StartupState(const std::string& name) : folder_(name)
    {
        for (int kind = 0; kind < kStartupKindCount; ++kind) {
            if (kind == Delayed)
                continue;
            const auto [root, path] = PlaceOf(kind);
            snapshots_.emplace_back(root, path);
            snapshots_.back().ClearValues();
        }
        SetValue(MachineRun, "Orvanta", "\"C:\\Tidewell\\Tidewell.exe\" -PowerOn");
    }
    ~StartupState()
    {
        for (const auto& shot : snapshots_)
            shot.Restore();
    }

    std::string DelayList() const { return folder_.File("Delay.ini"); }

    testing_support::PretendPlaces places; // Wine protects no folder: pretend the scratch one is

private:
    testing_support::ScratchDir folder_;
    std::vector<testing_support::RegistrySnapshot> snapshots_;
};

} // namespace startup_testing
