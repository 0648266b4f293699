#pragma once
// The values of an open key, addressed by counted names through the native registry calls. A value
// name may hold any character, NUL included, and the Reg*A calls, which take names as C strings,
// cannot reach a name with a NUL in it: a start entry hidden that way is still read, moved and
// deleted here by exactly its name. Names and string data come and go as UTF-8 that keeps every
// UTF-16 unit, an unpaired surrogate too (win32/utf16.h), so they go back exactly as they came;
// other data exactly as stored. Results are Win32 status codes.
#include <windows.h>

#include <string>
#include <vector>

struct RegistryValue {
    std::string name; // may hold NUL characters
    DWORD type = REG_SZ;
    std::string data;
};

// Every named value in registry order (the unnamed default value is no entry of a list).
std::vector<RegistryValue> ReadNamedValues(HKEY key);
LONG QueryNamedValue(HKEY key, const std::string& name, DWORD& type, std::string& data);
LONG SetNamedValue(HKEY key, const std::string& name, DWORD type, const std::string& data);
LONG DeleteNamedValue(HKEY key, const std::string& name);
