#pragma once
// Whole-file reads and replacing writes through the platform's own calls (the ANSI API on
// Windows), so that no path, in any code page, makes them throw.
#include <string>

enum class FileRead { Ok, Missing, Unreadable };

FileRead ReadFileBytes(const std::string& path, std::string& bytes);

// Writes a temporary file beside `path`, flushes it, then moves it over `path` in one step.
// On failure the file at `path` is as it was and false is returned.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);
