// Requests of the console program: show, exit and clean, over WM_COPYDATA. Each is checked whole
// before anything happens and answered at once; a clean's figures follow from a thread of their own
// when the run ends, so no caller ever holds this window.
#include "app/main_dlg_win.h"

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "remote/command_protocol.h"
#include "win32/copy_data.h"

void CMainDlg::OpenRequests()
{
    SetPropA(hwnd(), remote::kWindowProperty, reinterpret_cast<HANDLE>(1));
    win32::AcceptCopyDataFromAnyCaller(hwnd());
}

void CMainDlg::CloseRequests()
{
    RemovePropA(hwnd(), remote::kWindowProperty);
    ReplyToRequestedClean(remote::Outcome::Failed);
}

remote::Answer CMainDlg::OnRequest(HWND caller, const COPYDATASTRUCT& data)
{
    const std::optional<remote::Request> request =
        data.dwData == remote::kRequestTag ? remote::ParseRequest(data.lpData, data.cbData) : std::nullopt;
    if (!request || !IsWindow(caller))
        return remote::Answer::Invalid;
    switch (request->command) {
    case remote::Command::Show:
        ShowMainWindow();
        SetForegroundWindow(hwnd());
        return remote::Answer::Done;
    case remote::Command::Exit:
        // After the caller has its answer: the exit waits for a running worker.
        PostMessageA(hwnd(), WM_REQUESTED_EXIT, 0, 0);
        return remote::Answer::Done;
    case remote::Command::Clean: {
        if (run_.Busy() || exiting_ || requestedClean_)
            return remote::Answer::Busy;
        requestedClean_ = RequestedClean{caller, request->id, request->mode, request->eighths};
        const bool started = request->mode == remote::CleanMode::Organise ? StartOrganise(request->eighths)
                                                                          : StartCleanUpRun();
        if (!started) {
            requestedClean_.reset();
            return remote::Answer::Failed;
        }
        // A run stopped by the exit has not done what was asked.
        run_.WhenFinished([this] {
            ReplyToRequestedClean(run_.StopRequested() ? remote::Outcome::Failed : remote::Outcome::Done);
        });
        return remote::Answer::Accepted;
    }
    }
    return remote::Answer::Invalid;
}

bool CMainDlg::ReplyToRequestedClean(remote::Outcome outcome)
{
    if (!requestedClean_)
        return false;
    const RequestedClean asked = *requestedClean_;
    requestedClean_.reset();
    CMemoryCleaner::RecordAfter();
    remote::CleanReply reply;
    reply.id = asked.id;
    reply.outcome = outcome;
    reply.mode = asked.mode;
    reply.eighths = asked.eighths;
    reply.before = StatusBefore;
    reply.after = StatusAfter;
    win32::SendCopyDataLater(asked.caller, hwnd(), remote::kReplyTag, remote::EncodeReply(reply));
    return true;
}
