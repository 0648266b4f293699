#pragma once
// The languages beside the program and the ones the user's Windows prefers.
#include <string>
#include <vector>

struct LanguageFile {
    std::string folder; // under lang\; empty for the texts file beside the program
    std::string name;   // its own name, in its own script ("Deutsch", "日本語")
};

// The file beside the program first, then each folder of lang\ that holds a texts file, by folder
// name. A file that names itself nowhere is called by its folder.
std::vector<LanguageFile> AvailableLanguages();

// The user's interface languages as Windows names them ("de-DE"), the most wanted first.
std::vector<std::string> PreferredUiLanguages();
