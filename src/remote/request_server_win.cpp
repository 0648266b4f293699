#include "remote/request_server_win.h"

#include <vector>

#include "remote/caller_acceptance.h"
#include "common/account_win.h"
#include "remote/request_pipe_win.h"

namespace remote {
namespace {

constexpr DWORD kRequestWaitMs = 5000;    // a caller says what it wants as soon as it is connected
constexpr DWORD kWindowAnswerMs = 30000;  // the window answers from any of its message loops
constexpr DWORD kTransferMs = 5000;
constexpr DWORD kRetryMs = 100;           // after a caller that left before it was served
constexpr size_t kLongestRecord = 64;     // anything longer is no request

} // namespace

bool RequestServer::Open(HWND window, UINT message)
{
    Close();
    window_ = window;
    message_ = message;
    interactiveUser_ = InteractiveUserSid();
    pipe_ = CreateRequestPipe(interactiveUser_);
    // The first instance's flag makes a name someone else holds fail as access denied.
    nameTaken_ = !pipe_ && (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_PIPE_BUSY);
    stop_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    answered_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    replied_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (pipe_ && stop_ && answered_ && replied_)
        thread_.reset(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    if (!thread_)
        pipe_.reset();
    return static_cast<bool>(thread_);
}

void RequestServer::Close()
{
    if (thread_) {
        SetEvent(stop_.get());
        // Every wait of the thread ends on stop_ and its transfers are cancelled there: this is short.
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    pipe_.reset();
    const std::lock_guard<std::mutex> guard(lock_);
    stage_ = Stage::Idle;
    reply_.reset();
}

std::optional<Request> RequestServer::Take()
{
    const std::lock_guard<std::mutex> guard(lock_);
    if (stage_ != Stage::Posted)
        return std::nullopt;
    stage_ = Stage::Taken;
    return request_;
}

void RequestServer::Respond(Answer answer, uint16_t waitSeconds)
{
    const std::lock_guard<std::mutex> guard(lock_);
    if (stage_ != Stage::Taken)
        return; // the caller was given up on
    answer_ = {answer, request_.id, waitSeconds};
    stage_ = Stage::Answered;
    SetEvent(answered_.get());
}

void RequestServer::Reply(const CleanReply& reply)
{
    const std::lock_guard<std::mutex> guard(lock_);
    if (stage_ != Stage::Answered || answer_.answer != Answer::Accepted)
        return;
    reply_ = reply;
    stage_ = Stage::Idle;
    SetEvent(replied_.get());
}

DWORD WINAPI RequestServer::ThreadMain(void* self)
{
    static_cast<RequestServer*>(self)->Serve();
    return 0;
}

void RequestServer::Serve()
{
    for (;;) {
        const Transfer connected = AwaitCaller(pipe_.get(), stop_.get());
        if (connected == Transfer::Done)
            ServeCaller();
        DisconnectNamedPipe(pipe_.get());
        const DWORD pause = connected == Transfer::Done ? 0 : kRetryMs;
        if (connected == Transfer::Stopped || WaitForSingleObject(stop_.get(), pause) == WAIT_OBJECT_0)
            return;
    }
}

void RequestServer::ServeCaller()
{
    std::vector<uint8_t> bytes;
    if (ReadRecord(pipe_.get(), bytes, kLongestRecord, kRequestWaitMs, stop_.get()) != Transfer::Done)
        return;
    const std::optional<Request> request = ParseRequest(bytes.data(), bytes.size());
    AnswerRecord answer{Answer::Invalid, request ? request->id : 0, 0};
    // The caller is judged before anything it asks is looked at.
    if (JudgeCaller(ReadCallerFacts(pipe_.get(), interactiveUser_)) != CallerVerdict::Accepted)
        answer.answer = Answer::NotAllowed;
    else if (request)
        answer = AskWindow(*request);
    if (!Write(EncodeAnswer(answer)))
        return;
    if (answer.answer == Answer::Accepted) {
        const HANDLE waits[] = {replied_.get(), stop_.get()}; // a reply given at exit comes first
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
            return;
        std::optional<CleanReply> reply;
        {
            const std::lock_guard<std::mutex> guard(lock_);
            reply.swap(reply_);
        }
        if (!reply || !Write(EncodeReply(*reply)))
            return;
    } else if (answer.answer == Answer::Done && request->command == Command::Exit) {
        // The caller waits for the end: the connection closes when the window has gone.
        WaitForSingleObject(stop_.get(), INFINITE);
        return;
    }
    EndConnection();
}

AnswerRecord RequestServer::AskWindow(const Request& request)
{
    {
        const std::lock_guard<std::mutex> guard(lock_);
        request_ = request;
        reply_.reset();
        stage_ = Stage::Posted;
        ResetEvent(answered_.get());
        ResetEvent(replied_.get());
    }
    const HANDLE waits[] = {answered_.get(), stop_.get()};
    const bool posted = PostMessageA(window_, message_, 0, 0) != FALSE;
    const DWORD woke = posted ? WaitForMultipleObjects(2, waits, FALSE, kWindowAnswerMs) : WAIT_FAILED;
    const std::lock_guard<std::mutex> guard(lock_);
    if (woke == WAIT_OBJECT_0 && stage_ == Stage::Answered)
        return answer_;
    stage_ = Stage::Idle; // an answer that comes later is dropped
    return {Answer::Failed, request.id, 0};
}

bool RequestServer::Write(const std::vector<uint8_t>& bytes)
{
    return WriteRecord(pipe_.get(), bytes, kTransferMs, stop_.get()) == Transfer::Done;
}

void RequestServer::EndConnection()
{
    std::vector<uint8_t> ignored;
    ReadRecord(pipe_.get(), ignored, kLongestRecord, kTransferMs, stop_.get());
}

} // namespace remote
