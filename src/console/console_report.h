#pragma once
// What the console program prints: a few aligned lines for people, or one JSON object.
#include <cstdint>
#include <string>

#include "console/command_line.h"
#include "memory/memory_status.h"
#include "remote/command_protocol.h"

namespace console {

struct StatusFigures {
    MemoryFigures memory;
    int32_t cpuLoad = 0; // percent
    bool tidewellRunning = false;
};

std::string StatusText(const StatusFigures& figures);
std::string StatusJson(const StatusFigures& figures);

// The outcome of a clean; Failed when Tidewell could not finish it.
std::string CleanText(const remote::CleanReply& reply);
std::string CleanJson(const remote::CleanReply& reply);

// What an answer other than a clean's start means for the caller: its exit code and, unless it
// is done, the reason printed.
struct AnswerMeaning {
    ExitCode code = ExitCode::Failed;
    std::string message;
};
AnswerMeaning MeaningOf(remote::Answer answer, uint16_t waitSeconds);

// Any other outcome: "done", "bad-usage", "not-running", "refused" or "failed", with a message.
// An empty command (arguments that name none) is left out.
std::string ResultJson(const std::string& command, ExitCode code, const std::string& message);
const char* ResultName(ExitCode code);

} // namespace console
