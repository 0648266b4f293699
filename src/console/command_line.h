#pragma once
// The console program's arguments: one command, its options and --json, in any order.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "history/history_file.h"
#include "remote/command_protocol.h"

namespace console {

// What the console program returns to the shell.
enum class ExitCode : int { Done = 0, BadUsage = 1, NotRunning = 2, Refused = 3, Failed = 4 };

enum class Verb { Help, Status, Clean, Show, Exit, History, Memory };

struct Invocation {
    Verb verb = Verb::Help;
    remote::CleanMode mode = remote::CleanMode::None; // clean: organise or the growing run
    uint16_t eighths = 0;                             // organise: 1 to 8
    HistorySelection history;                         // history: --since and --limit
};

struct CommandLine {
    std::optional<Invocation> invocation; // empty when the arguments make no sense
    std::string error;                    // why, when empty
    bool json = false;                    // known even when the rest is wrong
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();
const char* VerbName(Verb verb);

} // namespace console
