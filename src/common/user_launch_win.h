#pragma once
// Starts programs on someone else's behalf (delayed entries, Start now, links, the help file) with
// the interactive user's own rights: the token of the user's shell, never Tidewell's elevated one.
// Where no shell runs or its token cannot be had, nothing starts; there is no way back to
// Tidewell's own token.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/shell_token_check.h"
#include "win32/handles.h"

// Refused: a target Tidewell does not open (see IsOpenableAddress). ShellRefused: the shell's token
// does not carry the user's ordinary rights (see JudgeShellToken).
enum class LaunchStatus { Started, NotFound, Ambiguous, NoUserShell, ShellRefused, Failed, Refused };

struct LaunchOutcome {
    LaunchStatus status = LaunchStatus::NotFound;
    std::string application;             // the program it names, once resolved
    std::vector<std::string> candidates; // Ambiguous: the programs the command could name
    DWORD error = 0;                     // Failed: the system's error code
    DWORD processId = 0;                 // Started
};

// The shell's primary token and the process it came from; an empty token when none could be had or
// it was refused, and why.
struct ShellToken {
    win32::UniqueHandle token;
    DWORD processId = 0;
    ShellTokenVerdict verdict = ShellTokenVerdict::NoShell;
};
// GetShellWindow, its process, that process's token duplicated as a primary token, judged.
ShellToken OpenShellToken();
// What the judgement reads of the shell's token: its account, session and elevation.
ShellTokenFacts ReadShellTokenFacts(HANDLE token, DWORD processId);

// One process to create under a user's token.
struct UserProcess {
    HANDLE token = nullptr;
    DWORD tokenProcessId = 0; // the process the token came from
    std::wstring application;
    std::wstring commandLine;
    std::wstring folder;              // its current folder: the program's own
    const void* environment = nullptr; // the user's UTF-16 block
    int show = SW_SHOWNORMAL;
};
struct CreatedProcess {
    DWORD processId = 0;
    DWORD error = 0; // 0 when it was created
};

// Seams: a test records what would be created, takes the shell's token away, or says what its
// token's facts are (under Wine every token is the one user's, elevated). An empty value puts the
// real one back (OpenShellToken; CreateProcessWithTokenW; ReadShellTokenFacts).
void SetShellTokenSource(std::function<ShellToken()> source);
void SetShellTokenFactsSource(std::function<ShellTokenFacts(HANDLE token, DWORD processId)> source);
void SetUserProcessCreator(std::function<CreatedProcess(const UserProcess&)> creator);

// A command line as the Run keys and Delay.ini hold it, resolved to its one program. `expand`: a
// REG_EXPAND_SZ command, whose %NAME% come from the user's environment first.
LaunchOutcome StartCommandAsUser(const std::string& command, bool expand, int show = SW_SHOWNORMAL);
// A program given by its full path, with its arguments.
LaunchOutcome StartProgramAsUser(const std::string& application, const std::string& arguments,
                                 int show = SW_SHOWNORMAL);

// A web or mail address, opened the way the user's shell opens it, by url.dll's FileProtocolHandler
// in the system's rundll32.exe; anything but such an address is refused.
LaunchOutcome OpenAddressAsUser(const std::string& address, int show);
// A help file in the system's viewer, hh.exe in the Windows folder; NotFound when it is missing.
LaunchOutcome OpenHelpAsUser(const std::string& helpPath);

// Why `command` did not start, in the interface's words; empty when it started.
std::string LaunchRefusalText(const LaunchOutcome& outcome, const std::string& command);
