#pragma once
// Records a registry key's values, or that it is missing, and puts it back as it was: tests that
// change system keys restore them in TearDown.
#include <windows.h>

#include <algorithm>
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
        for (DWORD index = 0;; ++index) {
            std::vector<char> name(16384);
            DWORD nameLength = static_cast<DWORD>(name.size()), type = 0, size = 0;
            if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS)
                break;
            Value value{std::string(name.data(), nameLength), type, std::vector<BYTE>(size + 2)};
            DWORD got = static_cast<DWORD>(value.data.size());
            RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &got);
            value.data.resize(got);
            values_.push_back(std::move(value));
        }
        RegCloseKey(key);
    }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    bool Existed() const { return existed_; }

    void Restore() const
    {
        if (!existed_) {
            RegDeleteTreeA(root_, path_.c_str());
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        std::vector<std::string> added;
        for (DWORD index = 0;; ++index) {
            std::vector<char> name(16384);
            DWORD nameLength = static_cast<DWORD>(name.size());
            if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS)
                break;
            const std::string found(name.data(), nameLength);
            if (std::none_of(values_.begin(), values_.end(),
                             [&](const Value& v) { return v.name == found; }))
                added.push_back(found);
        }
        for (const auto& name : added)
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
    HKEY root_;
    std::string path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

inline std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

inline bool WriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value)
{
    return RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value)) ==
           ERROR_SUCCESS;
}

inline void DeleteValue(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
}

inline bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace testing_support
