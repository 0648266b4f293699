// Ending the program: the exit command, a close request from outside, the end of the session.
// Whatever modal is open is closed, and the run stops between two chunks of its work.
#include "app/main_window/main_dlg_win.h"

namespace {

BOOL CALLBACK CloseModal(HWND window, LPARAM mainWindow)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (window != reinterpret_cast<HWND>(mainWindow) && std::string(className) == "#32770")
        EndDialog(window, IDCANCEL); // reports, questions, tools and message boxes are all dialogs
    return TRUE;
}

} // namespace

CMainDlg::HandlerScope::~HandlerScope()
{
    if (--dialog_.handlerDepth_ == 0 && dialog_.exitPending_) {
        dialog_.exitPending_ = false;
        // A clean-up worker may still wait for the handler that just returned: finish from the loop.
        PostMessageA(dialog_.hwnd(), WM_FINISH_EXIT, 0, 0);
    }
}

bool CMainDlg::OnExitMessage(UINT msg, WPARAM wp)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != SC_CLOSE)
            return false;
        HideAndRemember(); // the close box and Alt+F4 only hide
        return true;
    case WM_CLOSE: // from outside: another program, the task list
    case WM_REQUESTED_EXIT: // the console program
        RequestExit();
        return true;
    case WM_ENDSESSION:
        if (wp)
            RequestExit();
        return true;
    case WM_FINISH_EXIT:
        FinishExit();
        return true;
    default:
        return false;
    }
}

void CMainDlg::RequestExit()
{
    if (exiting_)
        return;
    StopForExit();
    if (handlerDepth_ > 1) {
        exitPending_ = true;
        EnumThreadWindows(GetCurrentThreadId(), CloseModal, reinterpret_cast<LPARAM>(hwnd()));
        EndMenu();
        return;
    }
    FinishExit();
}

void CMainDlg::StopForExit()
{
    exiting_ = true;
    for (UINT_PTR timer : {kDisplayTimer, kLauncherTimer, kOrganiseTimer})
        KillTimer(hwnd(), timer);
    run_.RequestStop();
}

void CMainDlg::FinishExit()
{
    run_.Exit(); // the worker's last messages come through while it waits
    EndFollowUp(FollowUpEnd::Exit);
    CloseRequests();
    tray_.RemoveIcon();
    EndDialog(IDOK);
}

void CMainDlg::OnDestroy()
{
    if (!exiting_)
        StopForExit();
    run_.Exit();
    CloseRequests();
    KillTimer(hwnd(), kHiddenStartTimer);
    tray_.RemoveIcon();
    hotkey_.Release();
    DetachGlyphs();
}
