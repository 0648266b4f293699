#include "common/shell_token_check.h"

ShellTokenVerdict JudgeShellToken(const ShellTokenFacts& shell, const std::string& sessionUser,
                                  std::optional<uint32_t> ownSession, uint32_t ownProcessId)
{
    if (shell.processId == ownProcessId)
        return ShellTokenVerdict::OwnProcess;
    if (shell.user.empty() || sessionUser.empty() || !shell.session || !ownSession || !shell.elevatedHalf)
        return ShellTokenVerdict::Unknown;
    if (*shell.elevatedHalf)
        return ShellTokenVerdict::Elevated;
    if (shell.user != sessionUser)
        return ShellTokenVerdict::OtherUser;
    if (*shell.session != *ownSession)
        return ShellTokenVerdict::OtherSession;
    return ShellTokenVerdict::Accepted;
}
