#pragma once
// Whole-file reads and replacing writes through the platform's own calls (the ANSI API on
// Windows), so that no path, in any code page, makes them throw.
#include <string>

enum class FileRead { Ok, Missing, Unreadable };

FileRead ReadFileBytes(const std::string& path, std::string& bytes);

// Writes a new file of its own beside `path` (a fresh name, created exclusively), flushes it, then
// puts it in place of `path` in one step, keeping the original's access list. On failure the file
// at `path` is as it was and false is returned.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);
