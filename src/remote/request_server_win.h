#pragma once
// Tidewell's side of the request channel: one thread that waits for a caller, reads its record,
// refuses callers that may not drive Tidewell and records that make no sense, and hands the rest
// to the window. The window's answer, and a clean's figures when it ends, go back on the same
// connection. The window's thread never waits on the pipe; the server thread waits on the window
// only through events that Close sets, so an exit never hangs on it.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "remote/command_protocol.h"
#include "win32/handles.h"

namespace remote {

class RequestServer {
public:
    RequestServer() = default;
    ~RequestServer() { Close(); }
    RequestServer(const RequestServer&) = delete;
    RequestServer& operator=(const RequestServer&) = delete;

    // Serves until Close, posting `message` to `window` when a request waits for its answer.
    // False when the pipe or the thread could not be made: then nobody can ask.
    bool Open(HWND window, UINT message);
    // Ends the thread and closes the pipe; a caller still connected sees the connection end.
    void Close();
    // After a failed Open: the pipe's name was taken by someone else first.
    bool NameTaken() const { return nameTaken_; }

    // On the window's thread, once posted: the request that waits for its answer.
    std::optional<Request> Take();
    // The answer to the request taken; an accepted clean's figures follow through Reply.
    void Respond(Answer answer, uint16_t waitSeconds = 0);
    void Reply(const CleanReply& reply);

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Serve();
    void ServeCaller();
    // Hands the request to the window and waits for its answer.
    AnswerRecord AskWindow(const Request& request);
    // After the last record: the caller closes its end first, so that nothing unread is dropped.
    void EndConnection();
    bool Write(const std::vector<uint8_t>& bytes);

    enum class Stage { Idle, Posted, Taken, Answered };
    std::mutex lock_;
    Stage stage_ = Stage::Idle;
    Request request_;
    AnswerRecord answer_;
    std::optional<CleanReply> reply_;

    HWND window_ = nullptr;
    UINT message_ = 0;
    std::string interactiveUser_;
    bool nameTaken_ = false;
    win32::UniqueFileHandle pipe_;
    win32::UniqueHandle stop_, answered_, replied_, thread_;
};

} // namespace remote
