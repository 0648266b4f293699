#pragma once
// What the command line asks of the main window. Free of any window, so tested natively.
#include <string>

// The first command-line argument, upper-cased, asks for the hidden start with the launcher.
bool IsPowerOnArgument(const std::string& argument);
// The installer's "-Uninstall" (or "/Uninstall"), any case.
bool IsUninstallArgument(const std::string& argument);
