#include "console/console_client_win.h"

#include "memory/memory_status.h"
#include "monitors/cpu_usage_win.h"

namespace console {
namespace {

constexpr UINT kAnswerTimeoutMs = 10000;
constexpr DWORD kExitWaitMs = 60000;
// The growing run on a large machine takes a while; past this something is wrong.
constexpr DWORD kCleanWaitMs = 10 * 60 * 1000;
constexpr char kReplyWindowClass[] = "TidewellConsoleReply";

struct ReplyBox {
    uint32_t id = 0;
    std::optional<remote::CleanReply> reply;
};

LRESULT CALLBACK ReplyWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcA(window, msg, wp, lp);
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (!box || data.dwData != remote::kReplyTag)
        return FALSE;
    std::optional<remote::CleanReply> reply = remote::ParseReply(data.lpData, data.cbData);
    if (!reply || reply->id != box->id)
        return FALSE;
    box->reply = reply;
    return TRUE;
}

// A message-only window that takes the clean's figures; destroyed with the object.
class ReplyWindow {
public:
    explicit ReplyWindow(ReplyBox& box)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ReplyWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kReplyWindowClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, kReplyWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        if (window_)
            SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
    }
    ~ReplyWindow()
    {
        if (window_)
            DestroyWindow(window_);
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Pumps this thread's messages until done() or the window has gone or the time is up.
template <typename Done>
bool WaitFor(HWND tidewell, DWORD timeoutMs, Done done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (!IsWindow(tidewell) || GetTickCount() - start >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return true;
}

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found)
{
    if (!GetPropA(window, remote::kWindowProperty))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

RequestResult Result(ExitCode code, std::string message = {})
{
    RequestResult result;
    result.code = code;
    result.message = std::move(message);
    return result;
}

} // namespace

HWND FindRunningTidewell()
{
    HWND found = nullptr;
    EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

StatusFigures MeasureStatus()
{
    StatusFigures figures;
    figures.tidewellRunning = FindRunningTidewell() != nullptr;
    // The load is the idle time between two samples.
    CCpuUsage::Sample(&figures.cpuLoad);
    Sleep(500);
    CCpuUsage::Sample(&figures.cpuLoad);
    figures.memory = ReadMemoryFigures();
    return figures;
}

RequestResult AskTidewell(HWND tidewell, const Invocation& invocation)
{
    remote::Request request;
    request.command = invocation.verb == Verb::Show   ? remote::Command::Show
                      : invocation.verb == Verb::Exit ? remote::Command::Exit
                                                      : remote::Command::Clean;
    request.mode = invocation.mode;
    request.eighths = invocation.eighths;
    request.id = GetCurrentProcessId();

    ReplyBox box;
    box.id = request.id;
    ReplyWindow replyWindow(box);
    if (!replyWindow.get())
        return Result(ExitCode::Failed, "no window for the answer");
    if (request.command == remote::Command::Show) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tidewell, &processId);
        AllowSetForegroundWindow(processId); // the window may come to the front
    }

    std::vector<uint8_t> bytes = remote::EncodeRequest(request);
    COPYDATASTRUCT data{remote::kRequestTag, static_cast<DWORD>(bytes.size()), bytes.data()};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(tidewell, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow.get()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerTimeoutMs,
                             &answer))
        return IsWindow(tidewell) ? Result(ExitCode::Failed, "Tidewell did not answer")
                                  : Result(ExitCode::NotRunning, "Tidewell is not running");

    switch (static_cast<remote::Answer>(answer)) {
    case remote::Answer::Done:
        if (request.command == remote::Command::Exit &&
            !WaitFor(tidewell, kExitWaitMs, [&] { return !IsWindow(tidewell); }))
            return Result(ExitCode::Failed, "Tidewell did not end");
        return Result(ExitCode::Done);
    case remote::Answer::Accepted: {
        if (!WaitFor(tidewell, kCleanWaitMs, [&] { return box.reply.has_value(); }))
            return Result(ExitCode::Failed, "Tidewell ended or gave no figures before the clean finished");
        RequestResult result = Result(box.reply->outcome == remote::Outcome::Done ? ExitCode::Done : ExitCode::Failed);
        result.reply = box.reply;
        return result;
    }
    case remote::Answer::Busy: return Result(ExitCode::Refused, "a clean is already in progress");
    case remote::Answer::Invalid: return Result(ExitCode::Failed, "Tidewell refused the request");
    case remote::Answer::Failed: return Result(ExitCode::Failed, "Tidewell could not start the clean");
    }
    return Result(ExitCode::Failed, "Tidewell did not understand the request");
}

} // namespace console
