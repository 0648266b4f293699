#pragma once
// What the command line asks of the main window. Free of any window, so tested natively.
#include <optional>
#include <string>
#include <vector>

// The first command-line argument, upper-cased, asks for the hidden start with the launcher.
bool IsPowerOnArgument(const std::string& argument);
// The installer's "-Uninstall" (or "/Uninstall"), any case.
bool IsUninstallArgument(const std::string& argument);

// What the installer's removal passes after "-Uninstall": the removing user's SID where it has one,
// and "KeepSettings=0" when the settings are to go with the program (kept otherwise, as always).
struct UninstallArguments {
    std::optional<std::string> userSid;
    bool keepSettings = true;
};
UninstallArguments ReadUninstallArguments(const std::vector<std::string>& rest);
