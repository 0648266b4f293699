#pragma once
// Which language the interface speaks. The texts file beside the program is the interface's own
// (English as shipped, or whatever its user made of it) and the fallback for every key; a language
// is a folder under lang\ holding a Kelvane.ini of its own. Free of any window, so tested natively.
#include <optional>
#include <string>
#include <vector>

// A folder name as a language may have one: letters, digits and dashes ("pt-BR"), nothing that
// could lead out of lang\.
bool IsLanguageFolderName(const std::string& name);

// The language to start with: the first of the user's preferred interface languages (as Windows
// names them, "de-DE") that lang\ has, exactly or by its parent ("pt-BR" → "pt"), Chinese by its
// script ("zh-HK", "zh-MO", "zh-Hant-…" → "zh-TW"; "zh-SG", "zh-Hans-…" → "zh-CN"), else any folder
// of the same language ("pt-PT" finds "pt-BR"). Empty: the file beside the program.
std::string PickLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available);

// The placeholders {0}, {1}, … a text names, each once, in order of their numbers.
std::vector<int> PlaceholdersOf(const std::string& text);

// What a key shows: the language's text when it has one with the English text's placeholders
// (a missing one would hide a figure, an extra one show garbage), else the English.
std::string ChooseText(const std::optional<std::string>& translated, const std::string& english);
