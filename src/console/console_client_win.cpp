#include "console/console_client_win.h"

#include <windows.h>
#include <aclapi.h>

#include <vector>

#include "common/account_win.h"
#include "common/module_path.h"
#include "common/program_identity_win.h"
#include "memory/memory_status.h"
#include "monitors/cpu_usage_win.h"
#include "remote/caller_acceptance.h"
#include "remote/request_pipe_win.h"
#include "win32/handles.h"

namespace console {
namespace {

constexpr DWORD kAnswerTimeoutMs = 10000;
constexpr DWORD kExitWaitMs = 60000;
// The growing run on a large machine takes a while; past this something is wrong.
constexpr DWORD kCleanWaitMs = 10 * 60 * 1000;
// Tidewell serves one caller at a time.
constexpr DWORD kBusyWaitMs = 10000;
constexpr size_t kLongestRecord = 64;
// Reading and writing records, and the message mode; never FILE_APPEND_DATA, which the pipe's
// access list does not grant.
constexpr DWORD kPipeRights =
    FILE_READ_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;

RequestResult Result(ExitCode code, std::string message = {})
{
    RequestResult result;
    result.code = code;
    result.message = std::move(message);
    return result;
}

// The channel in message mode, or why it cannot be had. Tidewell may learn who is asking, but
// may not act as the caller.
win32::UniqueFileHandle Connect(RequestResult& refusal)
{
    const std::string name = remote::RequestPipeName();
    const DWORD start = GetTickCount();
    for (;;) {
        win32::UniqueFileHandle pipe(CreateFileA(name.c_str(), kPipeRights, 0, nullptr, OPEN_EXISTING,
                                                 FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                                 nullptr));
        DWORD mode = PIPE_READMODE_MESSAGE;
        if (pipe && SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr))
            return pipe;
        const DWORD error = GetLastError();
        if (!pipe && error == ERROR_PIPE_BUSY && GetTickCount() - start < kBusyWaitMs) {
            WaitNamedPipeA(name.c_str(), kBusyWaitMs);
            continue;
        }
        if (error == ERROR_FILE_NOT_FOUND)
            refusal = Result(ExitCode::NotRunning, "Tidewell is not running");
        else if (error == ERROR_ACCESS_DENIED)
            refusal = Result(ExitCode::Refused, MeaningOf(remote::Answer::NotAllowed, 0).message);
        else if (error == ERROR_PIPE_BUSY)
            refusal = Result(ExitCode::Refused, "Tidewell is busy with another caller");
        else
            refusal = Result(ExitCode::Failed, "Tidewell cannot be reached (error " + std::to_string(error) + ")");
        return {};
    }
}

// Who answers on the pipe: whoever took the name first would otherwise hear the requests and
// answer them.
remote::ServerFacts ReadServerFacts(HANDLE pipe, ULONG serverId)
{
    remote::ServerFacts facts;
    const std::optional<std::string> tidewell = FinalPathOf(GetModulePath("Tidewell.exe"));
    facts.runsTidewell = tidewell && ProcessRunsProgram(serverId, *tidewell);
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(pipe, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) == ERROR_SUCCESS) {
        facts.pipeOwner = owner ? SidText(owner) : std::string();
        LocalFree(descriptor);
    }
    facts.ownSession = OwnProcessSession();
    ULONG session = 0;
    if (GetNamedPipeServerSessionId(pipe, &session))
        facts.session = session;
    // An elevated process's token may be closed to the caller; the owner then speaks for it.
    const win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId));
    HANDLE token = nullptr;
    if (process && OpenProcessToken(process.get(), TOKEN_QUERY, &token)) {
        const win32::UniqueHandle owned(token);
        TOKEN_ELEVATION elevation{};
        DWORD size = 0;
        if (GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size))
            facts.elevated = elevation.TokenIsElevated != 0;
        // Where the system answers for the token, it is the one to believe (Wine does not fill
        // in the pipe's session).
        if (const std::optional<uint32_t> tokenSession = TokenSession(token))
            facts.session = tokenSession;
    }
    return facts;
}

const char* Distrust(remote::ServerVerdict verdict)
{
    switch (verdict) {
    case remote::ServerVerdict::NotTidewell: return "is not the Tidewell.exe beside tidewellc";
    case remote::ServerVerdict::NotAdministrators: return "is not an elevated Tidewell: administrators do not own the channel";
    case remote::ServerVerdict::NotElevated: return "does not run with administrator rights";
    case remote::ServerVerdict::OtherSession: return "runs in another session";
    case remote::ServerVerdict::Unknown:
    case remote::ServerVerdict::Trusted: break;
    }
    return "could not be told apart from another program";
}

} // namespace

bool TidewellIsRunning()
{
    const std::string name = remote::RequestPipeName();
    return WaitNamedPipeA(name.c_str(), 1) || GetLastError() != ERROR_FILE_NOT_FOUND;
}

StatusFigures MeasureStatus()
{
    StatusFigures figures;
    figures.tidewellRunning = TidewellIsRunning();
    // The load is the idle time between two samples.
    CCpuUsage::Sample(&figures.cpuLoad);
    Sleep(500);
    CCpuUsage::Sample(&figures.cpuLoad);
    figures.memory = ReadMemoryFigures();
    return figures;
}

RequestResult AskTidewell(const Invocation& invocation)
{
    RequestResult refusal;
    const win32::UniqueFileHandle pipe = Connect(refusal);
    if (!pipe)
        return refusal;
    ULONG serverId = 0;
    if (!GetNamedPipeServerProcessId(pipe.get(), &serverId))
        return Result(ExitCode::Failed, "the program answering on Tidewell's channel cannot be told");
    const remote::ServerVerdict verdict = remote::JudgeServer(ReadServerFacts(pipe.get(), serverId));
    if (verdict != remote::ServerVerdict::Trusted)
        return Result(ExitCode::Failed, std::string("the program answering on Tidewell's channel ") + Distrust(verdict));

    remote::Request request;
    request.command = invocation.verb == Verb::Show   ? remote::Command::Show
                      : invocation.verb == Verb::Exit ? remote::Command::Exit
                                                      : remote::Command::Clean;
    request.mode = invocation.mode;
    request.eighths = invocation.eighths;
    request.id = GetCurrentProcessId();
    if (request.command == remote::Command::Show)
        AllowSetForegroundWindow(serverId); // the window may come to the front

    std::vector<uint8_t> bytes;
    if (remote::WriteRecord(pipe.get(), remote::EncodeRequest(request), kAnswerTimeoutMs) != remote::Transfer::Done)
        return Result(ExitCode::Failed, "Tidewell did not take the request");
    const remote::Transfer heard = remote::ReadRecord(pipe.get(), bytes, kLongestRecord, kAnswerTimeoutMs);
    const std::optional<remote::AnswerRecord> answer =
        heard == remote::Transfer::Done ? remote::ParseAnswer(bytes.data(), bytes.size()) : std::nullopt;
    if (!answer || answer->id != request.id)
        return Result(ExitCode::Failed, heard == remote::Transfer::TimedOut ? "Tidewell did not answer"
                                                                            : "Tidewell's answer made no sense");

    if (answer->answer == remote::Answer::Done && request.command == remote::Command::Exit) {
        // The connection ends when Tidewell has gone.
        if (remote::ReadRecord(pipe.get(), bytes, kLongestRecord, kExitWaitMs) != remote::Transfer::Broken)
            return Result(ExitCode::Failed, "Tidewell did not end");
        return Result(ExitCode::Done);
    }
    if (answer->answer == remote::Answer::Accepted) {
        const bool got = remote::ReadRecord(pipe.get(), bytes, kLongestRecord, kCleanWaitMs) == remote::Transfer::Done;
        const std::optional<remote::CleanReply> reply =
            got ? remote::ParseReply(bytes.data(), bytes.size()) : std::nullopt;
        if (!reply || reply->id != request.id)
            return Result(ExitCode::Failed, "Tidewell ended or gave no figures before the clean finished");
        RequestResult result = Result(reply->outcome == remote::Outcome::Done ? ExitCode::Done : ExitCode::Failed);
        result.reply = reply;
        return result;
    }
    const AnswerMeaning meaning = MeaningOf(answer->answer, answer->waitSeconds);
    return Result(meaning.code, meaning.message);
}

} // namespace console
