#pragma once
// Keeps a copy of a registry key, values and subkeys, or notes that it is missing, and puts it
// back as it was: tests that change system keys or the settings restore them in TearDown.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace testing_support {

class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, std::string path)
        : root_(root), path_(std::move(path)), copy_(std::string(kScratchKey) + "\\" + std::to_string(++count_))
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, copy_.c_str());
        existed_ = CopyTree(root_, path_, HKEY_CURRENT_USER, copy_);
    }
    RegistrySnapshot(RegistrySnapshot&& other) noexcept
        : root_(other.root_), path_(std::move(other.path_)), copy_(std::exchange(other.copy_, {})),
          existed_(other.existed_)
    {
    }
    ~RegistrySnapshot()
    {
        if (!copy_.empty())
            RegDeleteTreeA(HKEY_CURRENT_USER, copy_.c_str());
    }

    // Deletes every value of the key, leaving the key and its subkeys.
    void ClearValues() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        char name[16384];
        for (DWORD length = sizeof name;
             RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             length = sizeof name)
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }

    // A key that existed is emptied in place, not deleted: a volatile parent refuses new keys.
    void Restore() const
    {
        if (existed_) {
            CopyTree(HKEY_CURRENT_USER, copy_, root_, path_);
            return;
        }
        RegDeleteTreeA(root_, path_.c_str());
        RegDeleteKeyA(root_, path_.c_str());
    }

private:
    static constexpr char kScratchKey[] = "Software\\TidewellTests";
    static inline int count_ = 0;

    static bool CopyTree(HKEY fromRoot, const std::string& from, HKEY toRoot, const std::string& to)
    {
        HKEY source = nullptr, target = nullptr;
        if (RegOpenKeyExA(fromRoot, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
            return false;
        bool copied = false;
        if (RegCreateKeyExA(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
            ERROR_SUCCESS) {
            RegDeleteTreeA(target, nullptr);
            copied = RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS;
            RegCloseKey(target);
        }
        RegCloseKey(source);
        return copied;
    }

    HKEY root_;
    std::string path_, copy_;
    bool existed_ = false;
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
