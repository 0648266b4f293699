#pragma once
// Accounts as SID text ("S-1-5-21-…"), the form in which they are compared and passed on, and
// what a token tells of its process: integrity and session.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

std::string SidText(PSID sid);
// The account a token acts for; empty when the token will not say.
std::string TokenUserSid(HANDLE token);
// The account of this process.
std::string OwnUserSid();
// The account logged on to this process's session; empty when it cannot be told.
std::string InteractiveUserSid();

// The token's mandatory label, as its RID (0x2000 medium, 0x3000 high).
std::optional<uint32_t> TokenIntegrity(HANDLE token);
std::optional<uint32_t> TokenSession(HANDLE token);
std::optional<uint32_t> OwnProcessSession();
