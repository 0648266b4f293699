#include "console/console_report.h"

#include <cstdio>

#include "console/json_object.h"
#include "memory/free_memory.h"

namespace console {
namespace {

// One gauge of the main window: what is free of what, and the percentage it shows.
struct Gauge {
    int32_t availMB = 0;
    int32_t totalMB = 0;
    int32_t freePercent = 0;
};

Gauge FromBytes(uint64_t avail, uint64_t total)
{
    return {WholeMB(avail), WholeMB(total), RoundedFreePercent(avail, total)};
}

Gauge Physical(const MemoryStatus& status)
{
    return {status.availPhysMB, status.totalPhysMB, FreeMemoryPercent(status)};
}

struct StatusGauges {
    Gauge physical, pageFile, virtualMemory;
};

StatusGauges GaugesOf(const MemoryFigures& memory)
{
    return {Physical(StatusFromFigures(memory)), FromBytes(memory.availPageFile, memory.totalPageFile),
            FromBytes(memory.availVirtual, memory.totalVirtual)};
}

JsonObject Json(const Gauge& gauge)
{
    return JsonObject().Add("availMB", gauge.availMB).Add("totalMB", gauge.totalMB).Add("freePercent", gauge.freePercent);
}

std::string Line(const char* title, const Gauge& gauge)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-16s%8ld MB free of %8ld MB  %3ld %%\n", title, static_cast<long>(gauge.availMB),
                  static_cast<long>(gauge.totalMB), static_cast<long>(gauge.freePercent));
    return line;
}

std::string Line(const char* title, const std::string& value)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-16s%s\n", title, value.c_str());
    return line;
}

std::string ModeText(const remote::CleanReply& reply)
{
    if (reply.mode == remote::CleanMode::Organise)
        return "organise, " + std::to_string(reply.eighths) + " eighths";
    return "growing clean-up run";
}

int32_t GainedMB(const remote::CleanReply& reply)
{
    return static_cast<int32_t>(int64_t{reply.after.availPhysMB} - reply.before.availPhysMB);
}

} // namespace

const char* ResultName(ExitCode code)
{
    switch (code) {
    case ExitCode::Done: return "done";
    case ExitCode::BadUsage: return "bad-usage";
    case ExitCode::NotRunning: return "not-running";
    case ExitCode::Refused: return "refused";
    case ExitCode::Failed: break;
    }
    return "failed";
}

AnswerMeaning MeaningOf(remote::Answer answer, uint16_t waitSeconds)
{
    switch (answer) {
    case remote::Answer::Done: return {ExitCode::Done, {}};
    case remote::Answer::Busy: return {ExitCode::Refused, "a clean is already in progress"};
    case remote::Answer::TooSoon:
        return {ExitCode::Refused, "the last clean ended less than 30 seconds ago; Tidewell takes the next in " +
                                       std::to_string(waitSeconds) + " s"};
    case remote::Answer::NotAllowed:
        return {ExitCode::Refused, "Tidewell takes requests only from the logged-on user's own programs, at medium "
                                   "integrity or above, in its session"};
    case remote::Answer::TurnedOff:
        return {ExitCode::Refused, "your organisation has turned requests to Tidewell off; status still answers"};
    case remote::Answer::Invalid: return {ExitCode::Failed, "Tidewell refused the request"};
    case remote::Answer::Failed: return {ExitCode::Failed, "Tidewell could not start the clean"};
    case remote::Answer::Accepted: break;
    }
    return {ExitCode::Failed, "Tidewell did not understand the request"};
}

std::string StatusText(const StatusFigures& figures)
{
    const StatusGauges gauges = GaugesOf(figures.memory);
    return Line("Physical memory", gauges.physical) + Line("Page file", gauges.pageFile) +
           Line("Virtual memory", gauges.virtualMemory) +
           Line("Processor load", std::to_string(figures.cpuLoad) + " %") +
           Line("Free memory", std::to_string(gauges.physical.freePercent) + " %") +
           Line("Tidewell", figures.tidewellRunning ? "running" : "not running");
}

std::string StatusJson(const StatusFigures& figures)
{
    const StatusGauges gauges = GaugesOf(figures.memory);
    return JsonObject()
               .Add("command", "status")
               .Add("result", ResultName(ExitCode::Done))
               .Add("physical", Json(gauges.physical))
               .Add("pageFile", Json(gauges.pageFile))
               .Add("virtual", Json(gauges.virtualMemory))
               .Add("memoryLoad", int64_t{figures.memory.memoryLoad})
               .Add("cpuLoad", figures.cpuLoad)
               .Add("freePercent", gauges.physical.freePercent)
               .Add("tidewellRunning", figures.tidewellRunning)
               .Text() +
           "\n";
}

std::string CleanText(const remote::CleanReply& reply)
{
    const bool done = reply.outcome == remote::Outcome::Done;
    std::string text = "Clean (" + ModeText(reply) + ") " + (done ? "done.\n" : "failed.\n");
    if (!done)
        return text;
    return text + Line("Before", Physical(reply.before)) + Line("After", Physical(reply.after)) +
           Line("Gained", std::to_string(GainedMB(reply)) + " MB");
}

std::string CleanJson(const remote::CleanReply& reply)
{
    const bool done = reply.outcome == remote::Outcome::Done;
    JsonObject json;
    json.Add("command", "clean").Add("result", ResultName(done ? ExitCode::Done : ExitCode::Failed));
    json.Add("mode", reply.mode == remote::CleanMode::Organise ? "organise" : "growing");
    if (reply.mode == remote::CleanMode::Organise)
        json.Add("eighths", int64_t{reply.eighths});
    if (done)
        json.Add("before", Json(Physical(reply.before))).Add("after", Json(Physical(reply.after))).Add("gainedMB", GainedMB(reply));
    return json.Text() + "\n";
}

std::string ResultJson(const std::string& command, ExitCode code, const std::string& message)
{
    JsonObject json;
    if (!command.empty())
        json.Add("command", command);
    json.Add("result", ResultName(code));
    if (!message.empty())
        json.Add("message", message);
    return json.Text() + "\n";
}

} // namespace console
