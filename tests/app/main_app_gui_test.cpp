// The built program itself: a second start, early or late, brings the running copy back and ends
// (a logon start ends without showing it), so one main window and one tray icon remain; the running
// copy then exits through its exit command.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logon_task.h"
#include "app/main_app_win.h"
#include "app/main_dlg_fixture_win.h"
#include "common/module_path.h"
#include "common/task_scheduler_win.h"
#include "support/child_process_win.h"
#include "support/message_pump_win.h"

using testing_support::ChildProcess;
using testing_support::PumpUntil;

namespace {

struct Found {
    DWORD process = 0; // 0: any
    const char* className;
    std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter)
{
    auto& found = *reinterpret_cast<Found*>(parameter);
    char className[64] = {}, title[64] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (std::string(className) == found.className &&
        (found.process == 0 || process == found.process) &&
        (std::string(found.className) != "#32770" || std::string(title) == "Tidewell"))
        found.windows.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevel(const char* className, DWORD process = 0)
{
    Found found{process, className, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// Under Xvfb Wine shows each notification-area icon as a child window of its own tray window.
size_t TrayIconCount()
{
    size_t count = 0;
    for (HWND tray : TopLevel("__winex11_standalone_tray")) {
        Found found{0, "__winex11_tray_icon", {}};
        EnumChildWindows(tray, Collect, reinterpret_cast<LPARAM>(&found));
        count += found.windows.size();
    }
    return count;
}

std::string ProgramCommand() { return "\"" + GetModulePath("Tidewell.exe") + "\""; }

class MainAppTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        testing_support::RemoveAutostart();
    }
    void TearDown() override
    {
        backup_.Restore();
        run_.Restore();
    }

private:
    testing_support::RegistrySnapshot backup_{HKEY_LOCAL_MACHINE, kSettingsKey};
    testing_support::RegistrySnapshot run_{HKEY_LOCAL_MACHINE, kRunKey};
};

TEST_F(MainAppTest, FirstStartThenSecondStartLeavesOneWindowAndOneTrayIcon)
{
    const size_t traysBefore = TrayIconCount();
    ChildProcess first(ProgramCommand());
    ASSERT_TRUE(first.Started());
    // A second start while the first still shows its splash waits for the first's window.
    ASSERT_TRUE(PumpUntil(
        [] {
            HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, CMainApp::kMutexName);
            if (mutex)
                CloseHandle(mutex);
            return mutex != nullptr;
        },
        30000));
    ChildProcess early(ProgramCommand());
    ASSERT_TRUE(early.Started());
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (HWND w : TopLevel("#32770", first.Id()))
                if (IsWindowVisible(w))
                    main = w;
            return main != nullptr;
        },
        30000))
        << "the main window shows after the splash";
    ASSERT_TRUE(early.HasEnded(30000)) << "the early second start gave way";
    EXPECT_EQ(early.ExitCode(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == traysBefore + 1; }, 5000));
    // The first start made the settings key, but no start with Windows: Wine reports the user as
    // the owner of every folder, so none is protected.
    CRegistryKey settings;
    EXPECT_EQ(settings.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ), ERROR_SUCCESS);
    std::string autostart;
    EXPECT_EQ(testing_support::ReadAutostart(autostart), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(CurrentTaskService().Exists(kLogonTaskName));
    ShowWindow(main, SW_HIDE); // as if hidden in the tray
    ChildProcess second(ProgramCommand());
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.HasEnded(30000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000)) << "the running copy shows";
    EXPECT_EQ(TopLevel("#32770").size(), 1u);
    EXPECT_EQ(TrayIconCount(), traysBefore + 1);

    // Showing another process's window is only posted to it: a message sent after it returns once
    // the running copy has dealt with everything before.
    const auto settled = [main] { return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 10000, nullptr) != 0; };
    ShowWindow(main, SW_HIDE); // as if hidden in the tray
    ASSERT_TRUE(settled());
    ASSERT_FALSE(IsWindowVisible(main));
    ChildProcess logon(ProgramCommand() + " -PowerOn");
    ASSERT_TRUE(logon.Started());
    ASSERT_TRUE(logon.HasEnded(30000));
    EXPECT_EQ(logon.ExitCode(), 0u);
    ASSERT_TRUE(settled());
    EXPECT_FALSE(IsWindowVisible(main)) << "a logon start leaves the running copy hidden";

    // Exit: answer the running copy's question with Yes.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXITBT, BN_CLICKED), 0);
    HWND question = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (HWND w : TopLevel("#32770", first.Id()))
                if (w != main && GetWindow(w, GW_OWNER) == main)
                    question = w;
            return question != nullptr;
        },
        10000));
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    ASSERT_TRUE(first.HasEnded(15000));
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == traysBefore; }, 5000)) << "the icon went with it";
}

} // namespace
