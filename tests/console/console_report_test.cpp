#include "console/console_report.h"

#include <gtest/gtest.h>

#include <string>

#include "console/json_object.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

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
