#pragma once
// Records a registry key's values, or that it is missing, and puts it back as it was: tests that
// change system keys restore them in TearDown. Subkeys of a key that existed are left alone.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, std::string path) : root_(root), path_(std::move(path))
    {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (!existed_)
            return;
        for (const auto& name : ValueNames(key)) {
            Value value{name, 0, {}};
            DWORD size = 0;
            RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
            value.data.resize(size);
            RegQueryValueExA(key, name.c_str(), nullptr, nullptr, value.data.data(), &size);
            values_.push_back(std::move(value));
        }
        RegCloseKey(key);
    }

    // Deletes every value of the key, leaving the key itself.
    void ClearValues() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        for (const auto& name : ValueNames(key))
            RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }

    void Restore() const
    {
        if (!existed_) {
            RegDeleteTreeA(root_, path_.c_str());
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        for (const auto& name : ValueNames(key))
            RegDeleteValueA(key, name.c_str());
        for (const auto& v : values_)
            RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
        RegCloseKey(key);
    }

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    static std::vector<std::string> ValueNames(HKEY key)
    {
        std::vector<std::string> names;
        char name[16384];
        for (DWORD length = sizeof name;
             RegEnumValueA(key, static_cast<DWORD>(names.size()), name, &length, nullptr, nullptr, nullptr,
                           nullptr) == ERROR_SUCCESS;
             length = sizeof name)
            names.emplace_back(name, length);
        return names;
    }

    HKEY root_;
    std::string path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

inline std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

inline bool WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                       const void* data, DWORD size)
{
    return RegSetKeyValueA(root, path.c_str(), name.c_str(), type, data, size) == ERROR_SUCCESS;
}

inline bool WriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value)
{
    return WriteValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

inline void DeleteValue(HKEY root, const std::string& path, const std::string& name)
{
    RegDeleteKeyValueA(root, path.c_str(), name.c_str());
}

} // namespace testing_support
