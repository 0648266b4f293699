// The console program's portable parts: its command line, the records it exchanges with the running
// copy, and what it prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/command_line.h"
#include "console/console_report.h"
#include "console/json_object.h"
#include "remote/command_protocol.h"

namespace {

using console::ParseCommandLine;
using console::Verb;
using remote::CleanMode;
using remote::Command;

constexpr uint64_t kMB = 1024 * 1024;

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
        {{"clean", "--eighths", "45"}, false}, {{"clean", "--eighths", "4x"}, false},
        {{"clean", "--eighths=", "4"}, false},
        {{"clean", "--eighths", "4", "--eighths", "4"}, false},
        {{"clean", "--eighths", "4", "--growing"}, false},
        {{"status", "--growing"}, false},
        {{"show", "exit"}, false},
        {{"Status"}, false},
        {{"status", "now"}, false},
        {{"history", "--since=2026-03-01", "--limit", "5", "--json"}, true, Verb::History, CleanMode::None, 0, true},
        {{"history", "--limit", "0"}, false},
        {{"history", "--since", "2026-02-30"}, false},
        {{"clean", "--limit", "3"}, false},
        {{"history", "--growing"}, false},
    };
    for (const auto& c : cases) {
        const console::CommandLine line = ParseCommandLine(c.args);
        const std::string joined = testing::PrintToString(c.args);
        EXPECT_EQ(line.json, c.json) << joined;
        ASSERT_EQ(line.invocation.has_value(), c.valid) << joined << " -> " << line.error;
        if (!c.valid) {
            EXPECT_FALSE(line.error.empty()) << joined;
            continue;
        }
        EXPECT_EQ(line.invocation->verb, c.verb) << joined;
        EXPECT_EQ(line.invocation->mode, c.mode) << joined;
        EXPECT_EQ(line.invocation->eighths, c.eighths) << joined;
    }
    const HistorySelection chosen = ParseCommandLine({"history", "--since=2026-03-01", "--limit", "5"}).invocation->history;
    EXPECT_TRUE(chosen.since && chosen.since->day == 1 && chosen.limit == 5u);
}

TEST(CommandProtocol, ValuesOutOfRangeAreRefusedWhole)
{
    // Records that read back as they were written, but ask for something that does not exist.
    const remote::Request requests[] = {
        {static_cast<Command>(0), CleanMode::None, 0, 1},  {static_cast<Command>(4), CleanMode::None, 0, 1},
        {Command::Clean, static_cast<CleanMode>(3), 0, 1}, {Command::Clean, CleanMode::None, 0, 1},
        {Command::Clean, CleanMode::Organise, 0, 1},       {Command::Clean, CleanMode::Organise, 9, 1},
        {Command::Clean, CleanMode::Growing, 3, 1},        {Command::Show, CleanMode::Organise, 0, 1}};
    for (const remote::Request& refused : requests) {
        const std::vector<uint8_t> bytes = remote::EncodeRequest(refused);
        EXPECT_FALSE(remote::ParseRequest(bytes.data(), bytes.size()))
            << static_cast<int>(refused.command) << " " << static_cast<int>(refused.mode) << " " << refused.eighths;
    }
    EXPECT_FALSE(remote::ParseRequest(nullptr, remote::kRequestSize));

    remote::CleanReply sent;
    sent.mode = CleanMode::Organise;
    sent.eighths = 5;
    sent.before = sent.after = {100, 256, 1900, 2048};
    std::vector<uint8_t> bytes = remote::EncodeReply(sent);
    ASSERT_TRUE(remote::ParseReply(bytes.data(), bytes.size()));
    bytes[6] = 3; // outcome
    EXPECT_FALSE(remote::ParseReply(bytes.data(), bytes.size()));

    // Seconds to wait come with a clean refused as too soon, and only with it: 1 to 30.
    using remote::Answer;
    const remote::AnswerRecord answers[] = {{static_cast<Answer>(0), 1, 0}, {static_cast<Answer>(9), 1, 0},
                                            {Answer::TooSoon, 1, 0},        {Answer::TooSoon, 1, 31},
                                            {Answer::Busy, 1, 5}};
    for (const remote::AnswerRecord& refused : answers) {
        bytes = remote::EncodeAnswer(refused);
        EXPECT_FALSE(remote::ParseAnswer(bytes.data(), bytes.size()))
            << static_cast<int>(refused.answer) << " " << refused.waitSeconds;
    }
}

// Every single-byte change of a valid record, and every wrong size: refused, or read back exactly
// as it was written, so no byte (tag, version, high bytes) is read loosely.
TEST(CommandProtocol, EveryByteChangeIsRefusedOrReadsBackAsWritten)
{
    remote::CleanReply reply;
    reply.mode = CleanMode::Growing;
    for (const std::vector<uint8_t>& seed :
         {remote::EncodeRequest({Command::Clean, CleanMode::Organise, 8, 77}),
          remote::EncodeRequest({Command::Exit, CleanMode::None, 0, 5}), remote::EncodeReply(reply),
          remote::EncodeAnswer({remote::Answer::TooSoon, 9, 30}), remote::EncodeAnswer({remote::Answer::Done, 9, 0})}) {
        ASSERT_TRUE(remote::ParseRequest(seed.data(), seed.size()) || remote::ParseReply(seed.data(), seed.size()) ||
                    remote::ParseAnswer(seed.data(), seed.size()));
        for (size_t offset = 0; offset < seed.size(); ++offset) {
            for (int value = 0; value < 256; ++value) {
                std::vector<uint8_t> bytes = seed;
                bytes[offset] = static_cast<uint8_t>(value);
                if (const auto request = remote::ParseRequest(bytes.data(), bytes.size())) {
                    ASSERT_EQ(remote::EncodeRequest(*request), bytes) << offset << " = " << value;
                }
                if (const auto parsed = remote::ParseReply(bytes.data(), bytes.size())) {
                    ASSERT_EQ(remote::EncodeReply(*parsed), bytes) << offset << " = " << value;
                    // The eight memory figures from byte 16 on: none is read negative.
                    ASSERT_FALSE(offset >= 16 && offset % 4 == 3 && value >= 0x80) << offset << " = " << value;
                }
                if (const auto answer = remote::ParseAnswer(bytes.data(), bytes.size())) {
                    ASSERT_EQ(remote::EncodeAnswer(*answer), bytes) << offset << " = " << value;
                }
            }
        }
        std::vector<uint8_t> longer = seed;
        longer.push_back(0);
        for (size_t size : {seed.size() - 1, longer.size()})
            EXPECT_FALSE(remote::ParseRequest(longer.data(), size) || remote::ParseReply(longer.data(), size) ||
                         remote::ParseAnswer(longer.data(), size))
                << size;
    }
}

TEST(ConsoleReport, StatusAndCleanFiguresAsScriptsReadThem)
{
    console::StatusFigures figures;
    figures.memory = {61, 255 * kMB, 99 * kMB, 0, 0, 2048 * kMB, 1900 * kMB};
    figures.cpuLoad = 12;
    EXPECT_EQ(console::StatusJson(figures),
              "{\"command\":\"status\",\"result\":\"done\","
              "\"physical\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},"
              "\"pageFile\":{\"availMB\":0,\"totalMB\":0,\"freePercent\":0},"
              "\"virtual\":{\"availMB\":1900,\"totalMB\":2048,\"freePercent\":93},"
              "\"memoryLoad\":61,\"cpuLoad\":12,\"freePercent\":39,\"tidewellRunning\":false}\n");
    EXPECT_NE(console::StatusText(figures).find("Page file              0 MB free of        0 MB    0 %"),
              std::string::npos)
        << console::StatusText(figures);

    remote::CleanReply reply;
    reply.mode = remote::CleanMode::Organise;
    reply.eighths = 4;
    reply.before = {120, 256, 1900, 2048};
    reply.after = {100, 256, 1900, 2048};
    EXPECT_EQ(console::CleanJson(reply),
              "{\"command\":\"clean\",\"result\":\"done\",\"mode\":\"organise\",\"eighths\":4,"
              "\"before\":{\"availMB\":120,\"totalMB\":256,\"freePercent\":46},"
              "\"after\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},\"gainedMB\":-20}\n");
    reply.outcome = remote::Outcome::Failed;
    reply.mode = remote::CleanMode::Growing;
    EXPECT_EQ(console::CleanText(reply), "Clean (growing clean-up run) failed.\n");
    // Scripts tell a refusal (3) from a failure (4) by the exit code.
    using console::ExitCode;
    using remote::Answer;
    for (const auto& [answer, code] :
         {std::pair{Answer::Done, ExitCode::Done}, {Answer::Busy, ExitCode::Refused}, {Answer::TooSoon, ExitCode::Refused},
          {Answer::NotAllowed, ExitCode::Refused}, {Answer::TurnedOff, ExitCode::Refused}, {Answer::Invalid, ExitCode::Failed}, {Answer::Failed, ExitCode::Failed}})
        EXPECT_EQ(console::MeaningOf(answer, 1).code, code) << static_cast<int>(answer);
    EXPECT_EQ(console::ResultJson("", console::ExitCode::BadUsage, "unknown argument \"\xff\""),
              "{\"result\":\"bad-usage\",\"message\":\"unknown argument \\\"\\ufffd\\\"\"}\n");
}

// A JSON string literal: quotes at both ends, no raw control character, only known escapes.
bool IsJsonStringLiteral(const std::string& text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == '"')
            return false;
        if (c == '\\' && (i + 2 >= text.size() || std::string("\"\\/bfnrtu").find(text[++i]) == std::string::npos))
            return false;
    }
    return true;
}

TEST(ConsoleReport, EveryTextStaysOneJsonStringOfWellFormedUtf8)
{
    EXPECT_EQ(console::JsonString("a\"b\\c\n\x01 \xe6\xb8\x85 \xc3\xa9"), "\"a\\\"b\\\\c\\n\\u0001 \xe6\xb8\x85 \xc3\xa9\"");
    EXPECT_EQ(console::JsonString("\xc0\xaf \xed\xa0\x80 \xe6\xb8"), "\"\\ufffd\\ufffd \\ufffd\\ufffd\\ufffd \\ufffd\\ufffd\"");
    for (int c = 1; c < 0x80; ++c)
        EXPECT_TRUE(IsJsonStringLiteral(console::JsonString(std::string(1, static_cast<char>(c))))) << c;
}

} // namespace
