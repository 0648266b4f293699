#include "common/shell_token_check.h"

#include <gtest/gtest.h>

namespace {

// Only an ordinary token of the session's user, in this session and in a process other than
// Tidewell's, may start programs for the user; whatever the system would not say refuses it.
TEST(ShellTokenCheck, OnlyTheUsersOrdinaryTokenFromAnotherProcess)
{
    const std::string user = "S-1-5-21-1-2-3-1001";
    const ShellTokenFacts explorer{user, 1, false, 4200};
    const struct {
        ShellTokenFacts facts;
        ShellTokenVerdict verdict;
    } rows[] = {
        {explorer, ShellTokenVerdict::Accepted},
        {{user, 1, false, 77}, ShellTokenVerdict::OwnProcess},
        {{user, 1, true, 4200}, ShellTokenVerdict::Elevated},
        {{"S-1-5-21-1-2-3-1002", 1, false, 4200}, ShellTokenVerdict::OtherUser},
        {{"S-1-5-18", 1, false, 4200}, ShellTokenVerdict::OtherUser},
        {{user, 2, false, 4200}, ShellTokenVerdict::OtherSession},
        {{"", 1, false, 4200}, ShellTokenVerdict::Unknown},
        {{user, std::nullopt, false, 4200}, ShellTokenVerdict::Unknown},
        {{user, 1, std::nullopt, 4200}, ShellTokenVerdict::Unknown},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeShellToken(row.facts, user, 1, 77), row.verdict) << row.facts.user << " " << row.facts.processId;
    EXPECT_EQ(JudgeShellToken(explorer, "", 1, 77), ShellTokenVerdict::Unknown) << "no session user known";
    EXPECT_EQ(JudgeShellToken(explorer, user, std::nullopt, 77), ShellTokenVerdict::Unknown);
}

} // namespace
