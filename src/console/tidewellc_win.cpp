// tidewellc: the console program beside Tidewell. Reads the memory figures, where memory goes and
// the cleaning history itself and asks the running Tidewell to show itself, to exit or to clean.
#include <cstdio>
#include <string>
#include <vector>

#include "console/command_line.h"
#include "console/console_client_win.h"
#include "console/console_report.h"
#include "console/history_command_win.h"
#include "console/memory_report.h"
#include "history/history_store_win.h"
#include "memory/memory_map_win.h"
#include "win32/system_library.h"

namespace {

using console::ExitCode;

int Finish(ExitCode code, const std::string& out, const std::string& err = {})
{
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    return static_cast<int>(code);
}

int Fail(const console::CommandLine& line, const char* command, ExitCode code, const std::string& message)
{
    if (line.json)
        return Finish(code, console::ResultJson(command, code, message));
    return Finish(code, {}, "tidewellc: " + message + "\n");
}

} // namespace

int main(int argc, char** argv)
{
    win32::HardenProcess();
    const console::CommandLine line = console::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.invocation) {
        if (line.json)
            return Finish(ExitCode::BadUsage, console::ResultJson({}, ExitCode::BadUsage, line.error));
        return Finish(ExitCode::BadUsage, {}, "tidewellc: " + line.error + "\n\n" + console::UsageText());
    }
    const console::Invocation& invocation = *line.invocation;
    const char* command = console::VerbName(invocation.verb);
    switch (invocation.verb) {
    case console::Verb::Help: return Finish(ExitCode::Done, console::UsageText());
    case console::Verb::Status: {
        const console::StatusFigures figures = console::MeasureStatus();
        return Finish(ExitCode::Done, line.json ? console::StatusJson(figures) : console::StatusText(figures));
    }
    case console::Verb::History: {
        const console::Printed printed = console::HistoryCommand(HistoryFolder(), invocation.history, line.json);
        return Finish(printed.code, printed.out, printed.err);
    }
    case console::Verb::Memory: {
        const MemoryMap map = ReadMemoryMap();
        return Finish(ExitCode::Done, line.json ? console::MemoryJson(map) : console::MemoryText(map));
    }
    case console::Verb::Clean:
    case console::Verb::Show:
    case console::Verb::Exit: break;
    }

    const console::RequestResult result = console::AskTidewell(invocation);
    if (result.reply)
        return Finish(result.code, line.json ? console::CleanJson(*result.reply) : console::CleanText(*result.reply));
    if (result.code != ExitCode::Done)
        return Fail(line, command, result.code, result.message);
    if (line.json)
        return Finish(ExitCode::Done, console::ResultJson(command, ExitCode::Done, {}));
    return Finish(ExitCode::Done, invocation.verb == console::Verb::Show ? "Tidewell's window is shown.\n"
                                                                        : "Tidewell has ended.\n");
}
