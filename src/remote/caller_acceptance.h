#pragma once
// Who may drive the running Tidewell through its request channel. Tidewell runs elevated, so a
// request is a way into an administrator's rights: only the logged-on user's own programs, at
// medium integrity or above, in Tidewell's own session, are answered. A sandboxed low-integrity
// helper, another account's program on the same desktop and a service are all refused.
#include <cstdint>
#include <optional>
#include <string>

namespace remote {

// What the channel learnt of one caller from its token and the pipe; empty where the system
// would not say, which refuses the caller.
struct CallerFacts {
    std::string user;            // the caller's account, as SID text
    std::string interactiveUser; // the account logged on to Tidewell's session
    std::optional<uint32_t> integrity; // the caller's mandatory label, as its RID
    std::optional<uint32_t> session;
    std::optional<uint32_t> ownSession;
};

enum class CallerVerdict { Accepted, Unknown, OtherUser, BelowMedium, OtherSession };

constexpr uint32_t kMediumIntegrity = 0x2000;

CallerVerdict JudgeCaller(const CallerFacts& facts);

// The pipe's security descriptor as SDDL: owned by the administrators, which only an elevated
// program can make it; full access for SYSTEM and administrators; for the logged-on user only
// reading and writing records and reading the descriptor (never a new instance of the pipe, which
// would let them answer in Tidewell's place); a label that keeps out callers below medium
// integrity. Empty when `interactiveUser` is no SID text.
std::string PipeSecurityText(const std::string& interactiveUser);

// What the console program learnt of the program that answers on the channel.
struct ServerFacts {
    bool runsTidewell = false;         // its process runs the Tidewell.exe beside tidewellc
    std::string pipeOwner;             // the pipe's owner, as SID text; empty when unknown
    std::optional<bool> elevated;      // its token, where the caller may read it
    std::optional<uint32_t> session;   // its session
    std::optional<uint32_t> ownSession;
};

enum class ServerVerdict { Trusted, NotTidewell, NotAdministrators, NotElevated, OtherSession, Unknown };

// A standard user can start Tidewell.exe unelevated (it waits at its "needs administrator" box)
// and make it create the channel's name first: only a pipe owned by the administrators or SYSTEM,
// whose creator was elevated, of this session, is Tidewell's. Where the token cannot be read, the
// owner alone proves the elevation: no unelevated program can make the administrators an owner.
ServerVerdict JudgeServer(const ServerFacts& facts);

} // namespace remote
