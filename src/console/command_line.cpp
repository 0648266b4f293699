#include "console/command_line.h"

namespace console {
namespace {

constexpr struct {
    const char* name;
    Verb verb;
} kVerbs[] = {{"status", Verb::Status}, {"clean", Verb::Clean}, {"show", Verb::Show}, {"exit", Verb::Exit}};

constexpr char kEighthsOption[] = "--eighths";

// 1 to 8 written as digits only: "08", "+4" and " 4" are refused rather than guessed at.
std::optional<uint16_t> ParseEighths(const std::string& text)
{
    if (text.size() != 1 || text[0] < '0' + remote::kMinEighths || text[0] > '0' + remote::kMaxEighths)
        return std::nullopt;
    return static_cast<uint16_t>(text[0] - '0');
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
    std::optional<uint16_t> eighths;
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
        if (arg == kEighthsOption || arg.rfind(std::string(kEighthsOption) + "=", 0) == 0) {
            std::string value;
            if (arg == kEighthsOption) {
                if (i + 1 == args.size())
                    return Refuse(line, "--eighths needs a number from 1 to 8");
                value = args[++i];
            } else {
                value = arg.substr(sizeof kEighthsOption);
            }
            if (eighths)
                return Refuse(line, "--eighths given twice");
            eighths = ParseEighths(value);
            if (!eighths)
                return Refuse(line, "--eighths takes a number from 1 to 8, not \"" + value + "\"");
            continue;
        }
        bool known = false;
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
    Invocation invocation;
    invocation.verb = *verb;
    if (*verb != Verb::Clean) {
        if (eighths || growing)
            return Refuse(line, "--eighths and --growing belong to clean");
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
           "  --help               this text\n"
           "\n"
           "--json prints one JSON object per command.\n"
           "Exit codes: 0 done, 1 bad usage, 2 Tidewell not running, 3 refused (a run is already busy,\n"
           "the last clean ended less than 30 seconds ago, or Tidewell takes no requests from this\n"
           "program), 4 failed.\n";
}

} // namespace console
