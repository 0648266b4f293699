#include "app/main_app_win.h"

#include <windows.h>

#include "app/administrator_win.h"
#include "app/main_dlg_win.h"
#include "app/settings_win.h"
#include "app/splash_dlg_win.h"
#include "common/resource_text.h"
#include "monitors/cpu_usage_win.h"
#include "win32/ui_host.h"

bool ShowRunningCopy()
{
    HWND running = FindWindowA(nullptr, CMainApp::kWindowTitle);
    if (!running)
        return false;
    ShowWindow(running, SW_SHOWMINIMIZED);
    ShowWindow(running, SW_SHOWNORMAL);
    return true;
}

CMainApp::CMainApp() : hasRights([] { return IsWindows9x() || IsAdministrator(); }) {}

bool CMainApp::InitInstance(std::optional<std::string> firstArgument)
{
    instanceMutex_.reset(CreateMutexA(nullptr, FALSE, kMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS && ShowRunningCopy())
        return false;

    if (!hasRights()) {
        win32::MessageBoxText(nullptr, UiText("strErrorNeedAdmin"), "", MB_OK);
        return false;
    }
    {
        CSplashDlg splash;
        splash.DoModal(nullptr);
    }
    PrepareFirstStart();
    CMainDlg dialog(std::move(firstArgument));
    dialog.DoModal(nullptr);
    return false;
}
