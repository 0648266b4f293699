#include "app/main_app_win.h"

#include <windows.h>

#include <utility>

#include "app/administrator_win.h"
#include "app/main_window/main_dlg_win.h"
#include "app/settings/program_arguments.h"
#include "app/settings/language_setting_win.h"
#include "app/settings/settings_win.h"
#include "app/single_copy_win.h"
#include "app/dialogs/splash_dlg_win.h"
#include "app/settings/uninstall_win.h"
#include "common/resource_text.h"
#include "common/windows_family_win.h"
#include "win32/ui_host.h"

namespace {
constexpr DWORD kRunningCopyPollMs = 100;
} // namespace

bool ShowRunningCopy(DWORD waitMs)
{
    const DWORD start = GetTickCount();
    HWND running = nullptr;
    while (!(running = RunningCopyWindow())) {
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(kRunningCopyPollMs);
    }
    ShowWindow(running, SW_SHOWMINIMIZED);
    ShowWindow(running, SW_SHOWNORMAL);
    return true;
}

CMainApp::CMainApp(std::function<bool()> hasRights)
    : hasRights_(hasRights ? std::move(hasRights) : [] { return IsWindows9x() || IsAdministrator(); })
{
}

CMainApp::~CMainApp() = default;

bool CMainApp::InitInstance(std::optional<std::string> firstArgument, std::vector<std::string> rest)
{
    if (firstArgument && IsUninstallArgument(*firstArgument)) {
        UndoInstallation(ReadUninstallArguments(rest));
        return false;
    }
    // Every text from here on, the rights box's too; stored once the settings exist.
    const std::optional<std::string> picked = TakeStartLanguage();
    instanceMark_ = std::make_unique<InstanceMark>();
    // Under the plain name the mark may be anyone's: only a copy seen running counts.
    if (instanceMark_->HeldBefore() && (!instanceMark_->Squattable() || AnotherCopyRuns())) {
        // A logon start finds the user's copy running already: nothing to show.
        if (firstArgument && IsPowerOnArgument(*firstArgument))
            return false;
        // A copy started moments ago may still show its splash: its window has yet to appear.
        if (ShowRunningCopy(kRunningCopyWaitMs))
            return false;
    }

    if (!hasRights_()) {
        win32::MessageBoxText(nullptr, UiText("strErrorNeedAdmin"), "", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    {
        CSplashDlg splash;
        splash.DoModal(nullptr);
    }
    PrepareFirstStart(ProgramPath());
    if (picked)
        StoreLanguage(*picked);
    CMainDlg dialog(std::move(firstArgument));
    dialog.DoModal(nullptr);
    return false;
}
