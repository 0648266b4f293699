#pragma once
// The six registry keys of the startup manager, each named by the kind of entry it holds.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct StartupKeyPlace {
    HKEY root;
    const char* path;
};

// False for Delayed and for numbers that are no kind.
bool StartupKeyOf(int kind, StartupKeyPlace& place);

// Names and data of every value, read with KEY_READ; nothing when the key cannot be opened.
std::vector<std::pair<std::string, std::string>> ReadStartupValues(int kind);
std::vector<std::string> ReadStartupNames(int kind);
// One change each, with KEY_ALL_ACCESS. True when the registry took it.
bool WriteStartupValue(int kind, const std::string& name, const std::string& command);
bool RemoveStartupValue(int kind, const std::string& name);
