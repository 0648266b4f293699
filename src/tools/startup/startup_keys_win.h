#pragma once
// The registry keys of the startup manager, each named by the kind of entry it holds.
#include <windows.h>

#include <string>
#include <vector>

#include "common/registry_values_win.h"

struct StartupKeyPlace {
    HKEY root;
    const char* path;
    REGSAM view; // the registry view the key lives in, added to every access
};

// False for Delayed, for numbers that are no kind, and for the 32-bit programs' keys on a
// system that has no separate 32-bit view.
bool StartupKeyOf(int kind, StartupKeyPlace& place);

// Every value, read with KEY_READ; nothing when the key cannot be opened. Values are addressed by
// their whole name, also one that holds a NUL (see registry_values_win.h).
std::vector<RegistryValue> ReadStartupValues(int kind);
std::vector<std::string> ReadStartupNames(int kind);
bool StartupValueExists(int kind, const std::string& name);
// One change each, with KEY_ALL_ACCESS. True when the registry took it.
bool WriteStartupValue(int kind, const std::string& name, DWORD type, const std::string& data);
bool RemoveStartupValue(int kind, const std::string& name);
// Creates the key that holds the kind's entries where it is missing.
void CreateStartupKey(int kind);
