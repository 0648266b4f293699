#include "common/registry_key_win.h"

#include <utility>

namespace {
constexpr DWORD kMaxValueNameChars = 16384; // the registry's own limit, terminator included
constexpr DWORD kMaxEnumeratedNames = 30000;
} // namespace

CRegistryKey::~CRegistryKey() { Close(); }

CRegistryKey::CRegistryKey(CRegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

CRegistryKey& CRegistryKey::operator=(CRegistryKey&& other) noexcept
{
    if (this != &other)
        Replace(std::exchange(other.key_, nullptr));
    return *this;
}

void CRegistryKey::Replace(HKEY key)
{
    Close();
    key_ = key;
}

LONG CRegistryKey::Open(HKEY root, const std::string& subKey, REGSAM access)
{
    HKEY opened = nullptr;
    const LONG rc = RegOpenKeyExA(root, subKey.c_str(), 0, access, &opened);
    if (rc == ERROR_SUCCESS)
        Replace(opened);
    return rc;
}

LONG CRegistryKey::CreateSubKey(const std::string& name, LPSTR keyClass, DWORD options,
                                REGSAM access, LPSECURITY_ATTRIBUTES security, LPDWORD disposition)
{
    HKEY created = nullptr;
    const LONG rc = RegCreateKeyExA(key_, name.c_str(), 0, keyClass, options, access, security,
                                    &created, disposition);
    if (rc == ERROR_SUCCESS)
        Replace(created);
    return rc;
}

LONG CRegistryKey::Close()
{
    if (!key_)
        return ERROR_SUCCESS;
    const LONG rc = RegCloseKey(key_);
    key_ = nullptr;
    return rc;
}

LONG CRegistryKey::QueryDword(const std::string& valueName, DWORD& value) const
{
    DWORD data = 0;
    DWORD size = sizeof(data);
    const LONG rc = RegQueryValueExA(key_, valueName.c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&data), &size);
    if (rc == ERROR_SUCCESS)
        value = data;
    return rc;
}

LONG CRegistryKey::QueryValue(const std::string& valueName, DWORD& type, std::string& bytes) const
{
    bytes.clear();
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; ask again with the new size.
    for (int attempt = 0; rc == ERROR_SUCCESS && attempt < 4; ++attempt) {
        bytes.assign(size, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(bytes.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            rc = ERROR_SUCCESS;
            continue;
        }
        bytes.resize(rc == ERROR_SUCCESS ? got : 0);
        break;
    }
    return rc;
}

LONG CRegistryKey::QueryString(std::string& value, const std::string& valueName) const
{
    value.clear();
    DWORD type = 0;
    std::string bytes;
    const LONG rc = QueryValue(valueName, type, bytes);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ))
        value = bytes.substr(0, bytes.find('\0'));
    return rc;
}

LONG CRegistryKey::SetValue(const std::string& valueName, DWORD type, const std::string& bytes)
{
    return RegSetValueExA(key_, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

LONG CRegistryKey::SetDword(const std::string& valueName, DWORD value)
{
    return RegSetValueExA(key_, valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG CRegistryKey::SetString(const std::string& valueName, const std::string& value)
{
    return RegSetValueExA(key_, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

LONG CRegistryKey::DeleteValue(const std::string& valueName)
{
    return RegDeleteValueA(key_, valueName.c_str());
}

LONG CRegistryKey::EnumValueNameAt(DWORD index, std::string& name) const
{
    name.assign(kMaxValueNameChars, '\0');
    DWORD length = kMaxValueNameChars;
    // Name only: data of any size must not hide the entry.
    const LONG rc = RegEnumValueA(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    name.resize(rc == ERROR_SUCCESS ? length : 0);
    return rc;
}

std::string CRegistryKey::EnumValueName(DWORD index) const
{
    std::string name;
    EnumValueNameAt(index, name);
    return name;
}

bool CRegistryKey::EnumValueNames(std::vector<std::string>& names) const
{
    bool appended = false;
    std::string name;
    for (DWORD i = 0; i < kMaxEnumeratedNames; ++i) {
        if (EnumValueNameAt(i, name) != ERROR_SUCCESS)
            break;
        // A key's default value has no name and is no entry of a list; skipping it keeps the
        // values after it (the registry may list it first).
        if (name.empty())
            continue;
        names.push_back(name);
        appended = true;
    }
    return appended;
}
