#pragma once
// From a command line as the Run keys and Delay.ini hold it (already expanded) to the one program
// it names, decided once and never guessed. A path in quotes is taken as written. An unquoted
// path is tried at every blank, as the system would try it ("D:\Shared Tools\agent.exe /min" names
// D:\Shared.exe, then D:\Shared Tools\agent.exe); when more than one of those programs exists,
// anyone who could create the shorter one could choose what runs, so the command is refused.
#include <functional>
#include <string>
#include <vector>

class UserEnvironment;

using FileExists = std::function<bool(const std::string& path)>;

enum class CommandVerdict { Resolved, NotFound, Ambiguous };

struct ResolvedCommand {
    CommandVerdict verdict = CommandVerdict::NotFound;
    std::string application;             // Resolved: the program's full path
    std::string commandLine;             // Resolved: that path in quotes, then the arguments as written
    std::vector<std::string> candidates; // Ambiguous: every program the line could name, shortest first
};

// `searchFolders`: where a bare program name ("rundll32") is looked for, first match wins. A name
// without an extension gets ".exe". A relative path names nothing: relative to what?
ResolvedCommand ResolveCommand(const std::string& command, const FileExists& exists,
                               const std::vector<std::string>& searchFolders);

// Where a bare program name is looked for, in order: the system folder, the Windows folder, then
// each absolute folder of the user's Path. Neither the current folder nor Tidewell's own is
// searched: the user chose neither.
std::vector<std::string> ProgramSearchFolders(const std::string& systemFolder, const std::string& windowsFolder,
                                              const UserEnvironment& environment);
