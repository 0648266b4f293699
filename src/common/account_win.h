#pragma once
// Accounts as SID text ("S-1-5-21-…"), the form in which they are compared and passed on.
#include <windows.h>

#include <string>

std::string SidText(PSID sid);
// The account a token acts for; empty when the token will not say.
std::string TokenUserSid(HANDLE token);
// The account of this process.
std::string OwnUserSid();
