#pragma once
// Whole-file reads and replacing writes through the platform's own calls (the ANSI API on
// Windows), so that no path, in any code page, makes them throw.
#include <string>

enum class FileRead { Ok, Missing, Unreadable };

FileRead ReadFileBytes(const std::string& path, std::string& bytes);

// AsBefore keeps the original's access list; AdministratorsOnly gives the file its own, in which only
// SYSTEM and the administrators may even read it (the owner alone, natively): what nobody else may
// open, nobody else can hold open and lock.
enum class FileAccess { AsBefore, AdministratorsOnly };

// Writes a new file of its own beside `path` (a fresh name, created exclusively), flushes it, then
// puts it in place of `path` in one step. On failure the file at `path` is as it was and false is
// returned. The access list is hardening: a write it could not be given to still counts.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes, FileAccess access = FileAccess::AsBefore);
