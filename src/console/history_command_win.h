#pragma once
// `tidewellc history`: read straight from the files, never asking a running Tidewell.
#include <string>

#include "console/command_line.h"

namespace console {

struct Printed {
    ExitCode code = ExitCode::Done;
    std::string out, err; // for stdout and stderr
};

// The records of the selection from the folder's blocks; a folder Tidewell would not write to is
// not read, and a block that cannot be read is said, with what could be read printed.
Printed HistoryCommand(const std::string& folder, const HistorySelection& selection, bool json);

} // namespace console
