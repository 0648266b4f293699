#pragma once
// Remembers the values of one registry key (or that it did not exist) and puts them back, so a
// test may work on the program's real keys.
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

class RegistryValuesBackup {
public:
    RegistryValuesBackup(HKEY root, std::string path) : root_(root), path_(std::move(path))
    {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (!existed_)
            return;
        for (DWORD index = 0;; ++index) {
            char name[16384];
            DWORD nameLength = sizeof(name);
            DWORD type = 0, size = 0;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS)
                break;
            Value value{std::string(name, nameLength), type, std::vector<BYTE>(size)};
            RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &size);
            value.data.resize(size);
            values_.push_back(std::move(value));
        }
        RegCloseKey(key);
    }

    // Only the values are restored; subkeys are not expected in the keys backed up.
    void Restore() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            std::vector<std::string> names;
            char name[16384];
            for (DWORD index = 0;; ++index) {
                DWORD nameLength = sizeof(name);
                if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS)
                    break;
                names.emplace_back(name, nameLength);
            }
            for (const auto& n : names)
                RegDeleteValueA(key, n.c_str());
            RegCloseKey(key);
        }
        if (!existed_) {
            RegDeleteKeyA(root_, path_.c_str());
            return;
        }
        if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        for (const auto& v : values_)
            RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(),
                           static_cast<DWORD>(v.data.size()));
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

} // namespace testing_support
