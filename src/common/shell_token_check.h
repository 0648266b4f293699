#pragma once
// Whether the token of the window that calls itself the shell may start programs for the user: it
// must carry the user's ordinary rights, as Explorer has them. Any program may name a window the
// shell while none is set; an Explorer started elevated would hand its full rights on; and
// Tidewell's own token is exactly what must never start a program for someone else.
#include <cstdint>
#include <optional>
#include <string>

struct ShellTokenFacts {
    std::string user;                  // the token's account, as SID text; empty when unknown
    std::optional<uint32_t> session;
    std::optional<bool> elevatedHalf;  // the full half of a split token (an elevated Explorer)
    uint32_t processId = 0;            // the process the token came from
};

// NoShell: no window is the shell, or its token could not be had.
enum class ShellTokenVerdict { Accepted, NoShell, Unknown, OwnProcess, Elevated, OtherUser, OtherSession };

// sessionUser: the account logged on to Tidewell's session. Without a split token (user account
// control off) there are no ordinary rights to prefer: that token is accepted.
ShellTokenVerdict JudgeShellToken(const ShellTokenFacts& shell, const std::string& sessionUser,
                                  std::optional<uint32_t> ownSession, uint32_t ownProcessId);
