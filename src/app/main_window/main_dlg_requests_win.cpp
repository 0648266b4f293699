// Requests of the console program: show, exit and clean. The request server's thread takes the
// caller, checks who it is and what it asks, and posts the request here; the answer goes back
// through the server, and a clean's figures when the run ends, so no caller ever holds this window.
#include "app/main_window/main_dlg_win.h"

#include "common/clock.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/settings_keys.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "remote/clean_spacing.h"
#include "remote/command_protocol.h"
#include "remote/request_server_win.h"
#include "win32/program_name.h"

CMainDlg::~CMainDlg() = default;

void CMainDlg::OpenRequests()
{
    requests_ = std::make_unique<remote::RequestServer>();
    // Another program holds the channel's name: tidewellc cannot reach this Tidewell. Said once.
    if (!requests_->Open(hwnd(), WM_REMOTE_REQUEST) && requests_->NameTaken())
        tray_.ShowNotice(win32::kProgramName, UiText("strChannelTaken"));
}

void CMainDlg::CloseRequests()
{
    ReplyToRequestedClean(remote::Outcome::Failed); // written before the server goes
    if (requests_)
        requests_->Close();
}

void CMainDlg::OnRequestWaiting()
{
    if (const std::optional<remote::Request> request = requests_ ? requests_->Take() : std::nullopt) {
        const auto [answer, waitSeconds] = OnRequest(*request);
        requests_->Respond(answer, waitSeconds);
    }
}

std::pair<remote::Answer, uint16_t> CMainDlg::OnRequest(const remote::Request& request)
{
    if (ReadPolicies().Flag(kNoConsoleRequests))
        return {remote::Answer::TurnedOff, 0};
    switch (request.command) {
    case remote::Command::Show:
        ShowMainWindow();
        SetForegroundWindow(hwnd());
        return {remote::Answer::Done, 0};
    case remote::Command::Exit:
        // After the caller has its answer: the exit waits for a running worker.
        PostMessageA(hwnd(), WM_REQUESTED_EXIT, 0, 0);
        return {remote::Answer::Done, 0};
    case remote::Command::Clean: {
        const remote::CleanGate gate =
            remote::JudgeCleanRequest(run_.Busy() || exiting_ || requestedClean_, lastCleanEnd_, TickCount());
        if (gate.verdict == remote::CleanGate::Busy)
            return {remote::Answer::Busy, 0};
        if (gate.verdict == remote::CleanGate::TooSoon)
            return {remote::Answer::TooSoon, gate.waitSeconds};
        requestedClean_ = RequestedClean{request.id, request.mode, request.eighths};
        const bool started = request.mode == remote::CleanMode::Organise ? StartOrganise(request.eighths)
                                                                         : StartCleanUpRun();
        if (!started) {
            requestedClean_.reset();
            return {remote::Answer::Failed, 0};
        }
        // A run stopped by the exit has not done what was asked.
        run_.WhenFinished([this] {
            ReplyToRequestedClean(run_.StopRequested() ? remote::Outcome::Failed : remote::Outcome::Done);
        });
        return {remote::Answer::Accepted, 0};
    }
    }
    return {remote::Answer::Invalid, 0};
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
    if (requests_)
        requests_->Reply(reply);
    return true;
}
