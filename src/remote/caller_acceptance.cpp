#include "remote/caller_acceptance.h"

namespace remote {
namespace {

// "S-1-" followed by decimal numbers separated by single dashes, as the system writes a SID.
bool IsSidText(const std::string& text)
{
    if (text.size() < 5 || text.compare(0, 4, "S-1-") != 0)
        return false;
    bool digitBefore = false;
    for (size_t i = 4; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else if (c == '-' && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return digitBefore;
}

// FILE_READ_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | READ_CONTROL |
// SYNCHRONIZE. Not FILE_APPEND_DATA, which on a pipe is the right to create an instance.
constexpr char kUserRights[] = "0x120183";

} // namespace

CallerVerdict JudgeCaller(const CallerFacts& facts)
{
    if (facts.user.empty() || facts.interactiveUser.empty() || !facts.integrity || !facts.session ||
        !facts.ownSession)
        return CallerVerdict::Unknown;
    if (facts.user != facts.interactiveUser)
        return CallerVerdict::OtherUser;
    if (*facts.integrity < kMediumIntegrity)
        return CallerVerdict::BelowMedium;
    if (*facts.session != *facts.ownSession)
        return CallerVerdict::OtherSession;
    return CallerVerdict::Accepted;
}

std::string PipeSecurityText(const std::string& interactiveUser)
{
    if (!IsSidText(interactiveUser))
        return {};
    // P: nothing inherited. ML NWNR ME: below medium integrity, neither read nor write.
    return "O:BAD:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;" + std::string(kUserRights) + ";;;" + interactiveUser +
           ")S:(ML;;NWNR;;;ME)";
}

ServerVerdict JudgeServer(const ServerFacts& facts)
{
    if (!facts.runsTidewell)
        return ServerVerdict::NotTidewell;
    if (facts.pipeOwner != "S-1-5-32-544" && facts.pipeOwner != "S-1-5-18")
        return ServerVerdict::NotAdministrators;
    if (facts.elevated && !*facts.elevated)
        return ServerVerdict::NotElevated;
    if (!facts.session || !facts.ownSession)
        return ServerVerdict::Unknown;
    if (*facts.session != *facts.ownSession)
        return ServerVerdict::OtherSession;
    return ServerVerdict::Trusted;
}

} // namespace remote
