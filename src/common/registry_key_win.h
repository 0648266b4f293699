#pragma once
// One open registry key. Every operation is one registry call and returns its status unchanged.
#include <windows.h>

#include <string>
#include <vector>

class CRegistryKey {
public:
    CRegistryKey() = default;
    virtual ~CRegistryKey();
    CRegistryKey(CRegistryKey&& other) noexcept;
    CRegistryKey& operator=(CRegistryKey&& other) noexcept;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Open and CreateSubKey replace the held key only on success.
    LONG Open(HKEY root, const std::string& subKey, REGSAM access);
    LONG CreateSubKey(const std::string& name, LPSTR keyClass = nullptr, DWORD options = 0,
                      REGSAM access = KEY_ALL_ACCESS, LPSECURITY_ATTRIBUTES security = nullptr,
                      LPDWORD disposition = nullptr);
    LONG Close();

    // The destination is written only on success.
    LONG QueryDword(const std::string& valueName, DWORD& value) const;
    // Reads a string value of any length. The text is always valid: empty when the value is
    // missing or not a string, cut at its first zero, whole when stored without a terminator.
    LONG QueryString(std::string& value, const std::string& valueName) const;
    // A value's type and bytes exactly as stored, whatever the type and size.
    LONG QueryValue(const std::string& valueName, DWORD& type, std::string& bytes) const;
    LONG SetValue(const std::string& valueName, DWORD type, const std::string& bytes);
    LONG SetDword(const std::string& valueName, DWORD value);
    LONG SetString(const std::string& valueName, const std::string& value);
    LONG DeleteValue(const std::string& valueName);

    // The name at an index whatever the size of its data; empty text when the call fails.
    std::string EnumValueName(DWORD index) const;
    // Appends the names in registry order, passing over the unnamed default value; true when any
    // was appended.
    bool EnumValueNames(std::vector<std::string>& names) const;

    HKEY Handle() const { return key_; }
    bool IsOpen() const { return key_ != nullptr; }

private:
    void Replace(HKEY key);
    LONG EnumValueNameAt(DWORD index, std::string& name) const;
    HKEY key_ = nullptr;
};
