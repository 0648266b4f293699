// Who the request channel answers and when it takes a clean.
#include <gtest/gtest.h>

#include <string>

#include "remote/caller_acceptance.h"
#include "remote/clean_spacing.h"

namespace {

using remote::CallerVerdict;

constexpr char kUser[] = "S-1-5-21-1004336348-1177238915-682003330-1001";

// Callers as they come: a console, a sandboxed browser helper, an elevated prompt, another account,
// a service, another session; and what the system would not tell.
TEST(CallerAcceptance, OnlyTheUsersOwnProgramsAtMediumOrAboveInTheSession)
{
    const struct {
        const char* caller;
        std::string user;
        std::optional<uint32_t> integrity, session;
        std::string interactive = kUser;
        CallerVerdict verdict;
    } cases[] = {
        {"the user's console", kUser, 0x2000, 1, kUser, CallerVerdict::Accepted},
        {"medium plus (UIAccess)", kUser, 0x2100, 1, kUser, CallerVerdict::Accepted},
        {"an elevated prompt", kUser, 0x3000, 1, kUser, CallerVerdict::Accepted},
        {"a low-integrity helper", kUser, 0x1000, 1, kUser, CallerVerdict::BelowMedium},
        {"just below medium", kUser, 0x1FFF, 1, kUser, CallerVerdict::BelowMedium},
        {"untrusted", kUser, 0, 1, kUser, CallerVerdict::BelowMedium},
        {"another account on the desktop", "S-1-5-21-1004336348-1177238915-682003330-1002", 0x2000, 1, kUser,
         CallerVerdict::OtherUser},
        {"an account whose SID starts alike", std::string(kUser) + "0", 0x2000, 1, kUser, CallerVerdict::OtherUser},
        {"a service", "S-1-5-18", 0x4000, 0, kUser, CallerVerdict::OtherUser},
        {"the user in another session", kUser, 0x2000, 2, kUser, CallerVerdict::OtherSession},
        {"no label", kUser, std::nullopt, 1, kUser, CallerVerdict::Unknown},
        {"no session", kUser, 0x2000, std::nullopt, kUser, CallerVerdict::Unknown},
        {"no token", "", 0x2000, 1, kUser, CallerVerdict::Unknown},
        {"nobody logged on", kUser, 0x2000, 1, "", CallerVerdict::Unknown},
    };
    for (const auto& c : cases) {
        remote::CallerFacts facts{c.user, c.interactive, c.integrity, c.session, 1};
        EXPECT_EQ(remote::JudgeCaller(facts), c.verdict) << c.caller;
    }
    EXPECT_EQ(remote::JudgeCaller({kUser, kUser, 0x2000, 1, std::nullopt}), CallerVerdict::Unknown);
}

TEST(CallerAcceptance, PipeSecurityLetsTheUserTalkButNeverServe)
{
    const std::string text = remote::PipeSecurityText(kUser);
    const size_t userEntry = text.find(";;;" + std::string(kUser) + ")");
    ASSERT_NE(userEntry, std::string::npos) << text;
    const size_t maskStart = text.rfind("(A;;", userEntry) + 4;
    const unsigned long mask = std::stoul(text.substr(maskStart, userEntry - maskStart), nullptr, 16);
    EXPECT_EQ(mask & 0x3, 0x3u) << "reads and writes records";
    // FILE_APPEND_DATA on a pipe is the right to add an instance and hear the next caller.
    EXPECT_EQ(mask & 0x4, 0u);
    EXPECT_NE(text.find("S:(ML;;NWNR;;;ME)"), std::string::npos) << "below medium keeps out";
    EXPECT_EQ(text.rfind("O:BAD:P(", 0), 0u) << "owned by the administrators, nothing inherited";
    EXPECT_EQ(text.find(";WD)"), std::string::npos) << "no entry for everyone";
    for (const char* refused : {"", "S-1-", "S-1-5-21-", "S-1-5--21", "s-1-5-18", "S-1-5-21)(A;;GA;;;WD",
                                "S-1-5-21-1 ", "WD"})
        EXPECT_EQ(remote::PipeSecurityText(refused), "") << refused;
}

// The console program's view of who answers: only an elevated Tidewell of this session, whose
// pipe the administrators own.
TEST(ServerJudgement, OnlyAnElevatedTidewellOfThisSessionOwningItsPipeAsAdministrators)
{
    using remote::ServerVerdict;
    const struct {
        const char* server;
        remote::ServerFacts facts;
        ServerVerdict verdict;
    } cases[] = {
        {"Tidewell", {true, "S-1-5-32-544", true, 1, 1}, ServerVerdict::Trusted},
        {"Tidewell as SYSTEM", {true, "S-1-5-18", true, 1, 1}, ServerVerdict::Trusted},
        {"Tidewell whose token the caller may not read", {true, "S-1-5-32-544", std::nullopt, 1, 1},
         ServerVerdict::Trusted},
        {"another program", {false, "S-1-5-32-544", true, 1, 1}, ServerVerdict::NotTidewell},
        {"Tidewell.exe started unelevated, squatting", {true, kUser, false, 1, 1}, ServerVerdict::NotAdministrators},
        {"a pipe without an owner", {true, "", true, 1, 1}, ServerVerdict::NotAdministrators},
        {"owned by TrustedInstaller", {true, "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                        true, 1, 1}, ServerVerdict::NotAdministrators},
        {"administrators' pipe, unelevated token", {true, "S-1-5-32-544", false, 1, 1}, ServerVerdict::NotElevated},
        {"another session's Tidewell", {true, "S-1-5-32-544", true, 2, 1}, ServerVerdict::OtherSession},
        {"no session known", {true, "S-1-5-32-544", true, std::nullopt, 1}, ServerVerdict::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(remote::JudgeServer(c.facts), c.verdict) << c.server;
}

TEST(CleanSpacing, ARequestedCleanWaitsThirtySecondsAfterTheLastEnd)
{
    using remote::CleanGate;
    const struct {
        bool busy;
        std::optional<uint32_t> lastEnd;
        uint32_t now;
        CleanGate::Verdict verdict;
        int waitSeconds;
    } cases[] = {
        {false, std::nullopt, 5, CleanGate::Open, 0},
        {true, std::nullopt, 5, CleanGate::Busy, 0},
        {true, 0, 90000, CleanGate::Busy, 0},
        {false, 1000, 1000, CleanGate::TooSoon, 30},
        {false, 1000, 1001, CleanGate::TooSoon, 30},
        {false, 1000, 2000, CleanGate::TooSoon, 29},
        {false, 1000, 30999, CleanGate::TooSoon, 1},
        {false, 1000, 31000, CleanGate::Open, 0},
        {false, 0xFFFFF000u, 0x00001000u, CleanGate::TooSoon, 22}, // 8.2 s, across the wrap
        {false, 0xFFFFF000u, 30000, CleanGate::Open, 0},
    };
    for (const auto& c : cases) {
        const CleanGate gate = remote::JudgeCleanRequest(c.busy, c.lastEnd, c.now);
        EXPECT_EQ(gate.verdict, c.verdict) << c.now;
        EXPECT_EQ(gate.waitSeconds, c.waitSeconds) << c.now;
    }
}

} // namespace
