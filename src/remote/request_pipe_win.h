#pragma once
// The request channel's pipe, shared by Tidewell (the server) and tidewellc (the caller): its
// name, how Tidewell makes it, how one record crosses it within a deadline, and what the server
// learns of a caller.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "remote/caller_acceptance.h"
#include "win32/handles.h"

namespace remote {

// One name per session, so that each logged-on user's Tidewell has its own.
std::string RequestPipeName();

// The pipe's one instance, made for overlapped transfers; nothing when the account is unknown or
// the name is taken (by another Tidewell, or by a squatter: the console program then finds that
// the other end is not Tidewell and says so).
win32::UniqueFileHandle CreateRequestPipe(const std::string& interactiveUser);

enum class Transfer { Done, TimedOut, Stopped, Broken };

// One whole record, on a handle opened for overlapped transfers. A record longer than `limit` is
// Broken. The wait ends early when `stop` (may be null) is set; an unfinished transfer is
// cancelled before these return, so nothing is left pending.
Transfer ReadRecord(HANDLE pipe, std::vector<uint8_t>& bytes, size_t limit, DWORD timeoutMs, HANDLE stop = nullptr);
Transfer WriteRecord(HANDLE pipe, const std::vector<uint8_t>& bytes, DWORD timeoutMs, HANDLE stop = nullptr);
// Waits for a caller on the server's instance.
Transfer AwaitCaller(HANDLE pipe, HANDLE stop);

// Who is at the other end of a connected pipe, from its token (taken while impersonating it,
// which the caller allows only for identification) and from the pipe. Call after a read.
CallerFacts ReadCallerFacts(HANDLE pipe, const std::string& interactiveUser);

} // namespace remote
