#include "remote/request_pipe_win.h"

#include <sddl.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "common/account_win.h"

namespace remote {
namespace {

constexpr DWORD kPipeBufferSize = 4096;
constexpr ULONG kNoSession = 0xFFFFFFFF;

struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
// The end of one overlapped transfer started with `started` (its call's result).
Transfer Finish(HANDLE pipe, OVERLAPPED& io, BOOL started, DWORD& got, DWORD timeoutMs, HANDLE stop)
{
    if (!started && GetLastError() != ERROR_IO_PENDING)
        return Transfer::Broken;
    const HANDLE waits[] = {io.hEvent, stop};
    const DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, timeoutMs);
    if (woke != WAIT_OBJECT_0) {
        // The transfer must be over before `io` goes: the system writes into it until then.
        CancelIoEx(pipe, &io);
        GetOverlappedResult(pipe, &io, &got, TRUE);
        return woke == WAIT_OBJECT_0 + 1 ? Transfer::Stopped : Transfer::TimedOut;
    }
    return GetOverlappedResult(pipe, &io, &got, FALSE) ? Transfer::Done : Transfer::Broken;
}

class Overlapped {
public:
    Overlapped() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) { io_.hEvent = event_.get(); }
    bool Ready() const { return static_cast<bool>(event_); }
    OVERLAPPED& io() { return io_; }

private:
    win32::UniqueHandle event_;
    OVERLAPPED io_{};
};

} // namespace

std::string RequestPipeName()
{
    return "\\\\.\\pipe\\Tidewell.Requests." + std::to_string(OwnProcessSession().value_or(0));
}

win32::UniqueFileHandle CreateRequestPipe(const std::string& interactiveUser)
{
    const std::string security = PipeSecurityText(interactiveUser);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (security.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorA(security.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    const std::unique_ptr<void, LocalFreeDeleter> owned(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    // The first instance, and the only one: whoever holds the name would hear the requests.
    return win32::UniqueFileHandle(CreateNamedPipeA(
        RequestPipeName().c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kPipeBufferSize,
        kPipeBufferSize, 0, &attributes));
}

Transfer ReadRecord(HANDLE pipe, std::vector<uint8_t>& bytes, size_t limit, DWORD timeoutMs, HANDLE stop)
{
    Overlapped overlapped;
    if (!overlapped.Ready())
        return Transfer::Broken;
    bytes.assign(limit, 0);
    DWORD got = 0;
    const BOOL started = ReadFile(pipe, bytes.data(), static_cast<DWORD>(limit), nullptr, &overlapped.io());
    const Transfer result = Finish(pipe, overlapped.io(), started, got, timeoutMs, stop);
    bytes.resize(result == Transfer::Done ? got : 0);
    return result; // a longer record fails with ERROR_MORE_DATA: Broken
}

Transfer WriteRecord(HANDLE pipe, const std::vector<uint8_t>& bytes, DWORD timeoutMs, HANDLE stop)
{
    Overlapped overlapped;
    if (!overlapped.Ready())
        return Transfer::Broken;
    DWORD put = 0;
    const BOOL started = WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped.io());
    const Transfer result = Finish(pipe, overlapped.io(), started, put, timeoutMs, stop);
    return result == Transfer::Done && put != bytes.size() ? Transfer::Broken : result;
}

Transfer AwaitCaller(HANDLE pipe, HANDLE stop)
{
    Overlapped overlapped;
    if (!overlapped.Ready())
        return Transfer::Broken;
    if (!ConnectNamedPipe(pipe, &overlapped.io()) && GetLastError() == ERROR_PIPE_CONNECTED)
        return Transfer::Done; // came between two waits
    DWORD unused = 0;
    return Finish(pipe, overlapped.io(), FALSE, unused, INFINITE, stop);
}

CallerFacts ReadCallerFacts(HANDLE pipe, const std::string& interactiveUser)
{
    CallerFacts facts;
    facts.interactiveUser = interactiveUser;
    if (!ImpersonateNamedPipeClient(pipe))
        return facts;
    HANDLE token = nullptr;
    const BOOL opened = OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token);
    // A thread left with the caller's identity would act as the caller: never go on so.
    if (!RevertToSelf())
        std::abort();
    const win32::UniqueHandle callerToken(opened ? token : nullptr);
    if (!callerToken)
        return facts;
    facts.user = TokenUserSid(callerToken.get());
    facts.integrity = TokenIntegrity(callerToken.get());
    ULONG session = kNoSession;
    if (GetNamedPipeClientSessionId(pipe, &session) && session != kNoSession) {
        facts.session = session;
        facts.ownSession = OwnProcessSession();
        return facts;
    }
    // Where the pipe names no session (Wine's does not), the tokens still carry theirs.
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own))
        return facts;
    const win32::UniqueHandle ownToken(own);
    facts.session = TokenSession(callerToken.get());
    facts.ownSession = TokenSession(ownToken.get());
    return facts;
}

} // namespace remote
