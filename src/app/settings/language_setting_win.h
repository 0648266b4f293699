#pragma once
// The language the interface speaks, as stored in the settings.
#include <optional>
#include <string>

// At the start: an organisation's choice, else the stored one. At the first start (none stored) the language the installer was
// told, else the first the user's Windows prefers that lang\ has: that choice is returned, to be
// stored once the settings exist. A stored folder that is no longer there speaks from the file
// beside the program.
std::optional<std::string> TakeStartLanguage();
void StoreLanguage(const std::string& folder);
// The user's choice from the tray menu or the window: stored, and spoken from now on.
void ChooseLanguage(const std::string& folder);
