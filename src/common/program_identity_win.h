#pragma once
// Telling one program file from another by where it really lies: the path Windows gives for the
// opened file, links, junctions and short names resolved. A window title or a process name can be
// taken by anyone; the file a process runs cannot.
#include <windows.h>

#include <optional>
#include <string>

// The final path of a file or folder; nothing when it cannot be opened.
std::optional<std::string> FinalPathOf(const std::string& path);

// The final path of the program file a process runs; nothing when it cannot be asked.
std::optional<std::string> ProcessProgramPath(HANDLE process);

// True when both name the same file: equal final paths, letter case aside as the file system does.
bool SameProgramFile(const std::string& finalA, const std::string& finalB);

// Whether the process with this id runs the program file at `finalPath`.
bool ProcessRunsProgram(DWORD processId, const std::string& finalPath);
