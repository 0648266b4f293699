#include "console/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using console::ParseCommandLine;
using console::Verb;
using remote::CleanMode;

// The console program scenario runs show, status --json and clean --eighths 9 for real.
TEST(ConsoleCommandLine, CommandsOptionsAndMistakes)
{
    const struct {
        std::vector<std::string> args;
        bool valid = false;
        Verb verb = Verb::Help;
        CleanMode mode = CleanMode::None;
        int eighths = 0;
        bool json = false;
    } cases[] = {
        {{"--json", "clean"}, true, Verb::Clean, CleanMode::Growing, 0, true},
        {{"clean", "--growing"}, true, Verb::Clean, CleanMode::Growing, 0, false},
        {{"clean", "--eighths", "8"}, true, Verb::Clean, CleanMode::Organise, 8, false},
        {{"--eighths=1", "clean"}, true, Verb::Clean, CleanMode::Organise, 1, false},
        {{"exit", "--help"}, true, Verb::Help, CleanMode::None, 0, false},
        {{}, false},
        {{"--json"}, false, Verb::Help, CleanMode::None, 0, true},
        {{"clean", "--eighths"}, false},
        {{"clean", "--eighths", "0"}, false},
        {{"clean", "--eighths", "04"}, false},
        {{"clean", "--eighths=", "4"}, false},
        {{"clean", "--eighths", "4", "--eighths", "4"}, false},
        {{"clean", "--eighths", "4", "--growing"}, false},
        {{"status", "--growing"}, false},
        {{"show", "exit"}, false},
        {{"Status"}, false},
        {{"status", "now"}, false},
    };
    for (const auto& c : cases) {
        const console::CommandLine line = ParseCommandLine(c.args);
        std::string joined;
        for (const auto& arg : c.args)
            joined += arg + " ";
        EXPECT_EQ(line.json, c.json) << joined;
        ASSERT_EQ(line.invocation.has_value(), c.valid) << joined << "-> " << line.error;
        if (!c.valid) {
            EXPECT_FALSE(line.error.empty()) << joined;
            continue;
        }
        EXPECT_EQ(line.invocation->verb, c.verb) << joined;
        EXPECT_EQ(line.invocation->mode, c.mode) << joined;
        EXPECT_EQ(line.invocation->eighths, c.eighths) << joined;
    }
}

} // namespace
