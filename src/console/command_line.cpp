#include "console/command_line.h"

namespace console {
namespace {

constexpr struct {
    const char* name;
    Verb verb;
} kVerbs[] = {{"status", Verb::Status}, {"clean", Verb::Clean},     {"show", Verb::Show},
              {"exit", Verb::Exit},     {"history", Verb::History}, {"memory", Verb::Memory}};

// Options with a value, given as "--name value" or "--name=value", and the command they belong to.
constexpr struct {
    const char* name;
    Verb verb;
    const char* takes; // for the messages
} kValueOptions[] = {{"--eighths", Verb::Clean, "a number from 1 to 8"},
                     {"--since", Verb::History, "a date as YYYY-MM-DD"},
                     {"--limit", Verb::History, "a number from 1 to 100000"}};
constexpr size_t kMaxLimit = 100000;

// 1 to 8 written as digits only: "08", "+4" and " 4" are refused rather than guessed at.
std::optional<uint16_t> ParseEighths(const std::string& text)
{
    if (text.size() != 1 || text[0] < '0' + remote::kMinEighths || text[0] > '0' + remote::kMaxEighths)
        return std::nullopt;
    return static_cast<uint16_t>(text[0] - '0');
}

std::optional<size_t> ParseLimit(const std::string& text)
{
    if (text.empty() || text.size() > 6 || text[0] == '0' || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    size_t limit = 0;
    for (char digit : text)
        limit = limit * 10 + static_cast<size_t>(digit - '0');
    return limit <= kMaxLimit ? std::optional<size_t>(limit) : std::nullopt;
}

CommandLine Refuse(CommandLine line, std::string why)
{
    line.invocation.reset();
    line.error = std::move(why);
    return line;
}

} // namespace

const char* VerbName(Verb verb)
{
    for (const auto& entry : kVerbs) {
        if (entry.verb == verb)
            return entry.name;
    }
    return "help";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    for (const std::string& arg : args)
        line.json = line.json || arg == "--json";

    std::optional<Verb> verb;
    std::optional<std::string> values[std::size(kValueOptions)];
    bool growing = false, help = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json")
            continue;
        if (arg == "--help" || arg == "-h" || arg == "help" || arg == "/?") {
            help = true;
            continue;
        }
        if (arg == "--growing") {
            growing = true;
            continue;
        }
        bool known = false;
        for (size_t k = 0; k < std::size(kValueOptions) && !known; ++k) {
            const std::string name = kValueOptions[k].name;
            if (arg != name && arg.rfind(name + "=", 0) != 0)
                continue;
            known = true;
            if (arg == name && i + 1 == args.size())
                return Refuse(line, name + " needs " + kValueOptions[k].takes);
            if (values[k])
                return Refuse(line, name + " given twice");
            values[k] = arg == name ? args[++i] : arg.substr(name.size() + 1);
        }
        for (const auto& entry : kVerbs) {
            if (arg == entry.name) {
                if (verb)
                    return Refuse(line, "one command at a time");
                verb = entry.verb;
                known = true;
            }
        }
        if (!known)
            return Refuse(line, "unknown argument \"" + arg + "\"");
    }
    if (help) {
        line.invocation = Invocation{};
        return line;
    }
    if (!verb)
        return Refuse(line, "no command given");
    for (size_t k = 0; k < std::size(kValueOptions); ++k)
        if (values[k] && kValueOptions[k].verb != *verb)
            return Refuse(line, std::string(kValueOptions[k].name) + " belongs to " + VerbName(kValueOptions[k].verb));
    Invocation invocation;
    invocation.verb = *verb;
    const auto refuseValue = [&](size_t k) {
        return Refuse(line, std::string(kValueOptions[k].name) + " takes " + kValueOptions[k].takes + ", not \"" +
                                *values[k] + "\"");
    };
    const std::optional<uint16_t> eighths = values[0] ? ParseEighths(*values[0]) : std::nullopt;
    if (values[0] && !eighths)
        return refuseValue(0);
    if (values[1] && !(invocation.history.since = ParseDate(*values[1])))
        return refuseValue(1);
    if (values[2] && !(invocation.history.limit = ParseLimit(*values[2])))
        return refuseValue(2);
    if (*verb != Verb::Clean) {
        if (growing)
            return Refuse(line, "--growing belongs to clean");
    } else if (eighths && growing) {
        return Refuse(line, "clean takes --eighths or --growing, not both");
    } else {
        invocation.mode = eighths ? remote::CleanMode::Organise : remote::CleanMode::Growing;
        invocation.eighths = eighths.value_or(0);
    }
    line.invocation = invocation;
    return line;
}

std::string UsageText()
{
    return "Usage: tidewellc [--json] <command> [options]\n"
           "\n"
           "Commands:\n"
           "  status               memory figures, processor load and free memory (Tidewell need not run)\n"
           "  clean                asks the running Tidewell for its growing clean-up run and waits for its end\n"
           "  clean --eighths N    asks for one organise step of N eighths (1 to 8) of the installed memory\n"
           "  show                 shows Tidewell's window\n"
           "  exit                 ends Tidewell (without asking) and waits until it has ended\n"
           "  history              the cleans Tidewell recorded, newest first (Tidewell need not run)\n"
           "    --since YYYY-MM-DD   only those that began on or after that day\n"
           "    --limit N            only the newest N\n"
           "  memory               where physical memory goes, and what each cleaning method could take\n"
           "                       (Tidewell need not run; run it elevated for every program's figures)\n"
           "  --help               this text\n"
           "\n"
           "--json prints one JSON object per command; history prints one JSON array of records.\n"
           "Exit codes: 0 done, 1 bad usage, 2 Tidewell not running, 3 refused (a run is already busy,\n"
           "the last clean ended less than 30 seconds ago, or Tidewell takes no requests from this\n"
           "program), 4 failed (history: part of it could not be read).\n";
}

} // namespace console
