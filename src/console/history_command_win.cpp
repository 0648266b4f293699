#include "console/history_command_win.h"

#include <utility>
#include <vector>

#include "console/console_report.h"
#include "console/history_report.h"
#include "history/history_store_win.h"

namespace console {

Printed HistoryCommand(const std::string& folder, const HistorySelection& selection, bool json)
{
    HistoryRead read = ReadHistory(folder);
    if (read.refused) {
        const std::string message = HistoryRefusal(folder, *read.refused);
        if (json)
            return {ExitCode::Failed, ResultJson("history", ExitCode::Failed, message), {}};
        return {ExitCode::Failed, {}, "tidewellc: " + message + "\n"};
    }
    const std::vector<CleanRecord> records = SelectRecords(std::move(read.records), selection);
    Printed printed{ExitCode::Done, json ? HistoryJson(records) : HistoryText(records), {}};
    if (read.unreadable) {
        printed.code = ExitCode::Failed;
        printed.err = "tidewellc: part of the history in " + folder + " could not be read\n";
    }
    return printed;
}

} // namespace console
