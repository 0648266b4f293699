#pragma once
// The console program's side of the channel: reaching the running Tidewell over its pipe, making
// sure the other end is the Tidewell.exe beside this program, asking it, waiting for a clean's
// figures; and the status it measures itself.
#include <optional>
#include <string>

#include "console/command_line.h"
#include "console/console_report.h"
#include "remote/command_protocol.h"

namespace console {

// Whether a Tidewell takes requests in this session; asks nothing of it, so anyone may know.
bool TidewellIsRunning();

// The memory figures now and the processor load over the next half second.
StatusFigures MeasureStatus();

struct RequestResult {
    ExitCode code = ExitCode::Failed;
    std::optional<remote::CleanReply> reply; // a clean that ran to its end, done or failed
    std::string message;                     // why, when it is not done
};

// Sends a show, exit or clean request and waits as the command needs: for an exit until Tidewell
// has gone, for a clean until its figures arrive.
RequestResult AskTidewell(const Invocation& invocation);

} // namespace console
