// The program's start: without the rights it needs it says so and ends before it shows or writes
// anything; the built program started again, early or late, brings the running copy back and ends
// (a logon start without showing it), so one main window remains.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_app_win.h"
#include "app/single_copy_win.h"
#include "common/module_path.h"
#include "common/resource_text.h"
#include "history/history_store_win.h"
#include "memory/cleaning_methods.h"
#include "win32/window_text.h"
#include "support/child_process_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using MainAppTest = testing_support::SettingsFixture;
using testing_support::ChildProcess;
using testing_support::PumpUntil;

bool SettingsKeyExists()
{
    CRegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) == ERROR_SUCCESS;
}

// Top-level windows of a class and title, of one process when given.
std::vector<HWND> Windows(const char* className, const char* title, DWORD process = 0)
{
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, title); w; w = FindWindowExA(nullptr, w, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (process == 0 || owner == process)
            found.push_back(w);
    }
    return found;
}

TEST_F(MainAppTest, MissingRightsShowTheMessageAndEndBeforeAnythingElse)
{
    std::vector<int> modals;
    testing_support::RecordingHost host;
    host.modal = [&](win32::Dialog& dialog) {
        modals.push_back(dialog.TemplateId());
        return INT_PTR{IDOK};
    };
    {
        CMainApp app([] { return false; });
        EXPECT_FALSE(app.InitInstance(std::nullopt));
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, UiText("strErrorNeedAdmin"));
        EXPECT_TRUE(modals.empty()) << "no splash, no main window";
        EXPECT_FALSE(SettingsKeyExists()) << "nothing is written";
    } // its instance mutex goes with it
    CMainApp allowed([] { return true; });
    EXPECT_FALSE(allowed.InitInstance(std::nullopt));
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(modals, (std::vector<int>{IDD_SPLASH, IDD_MAIN_DIALOG}));
    EXPECT_TRUE(SettingsKeyExists()) << "the first start creates the settings";
}

TEST_F(MainAppTest, EverySecondStartLeavesOneWindow)
{
    const std::string program = "\"" + GetModulePath("Tidewell.exe") + "\"";
    ChildProcess first(program);
    ASSERT_TRUE(first.Started());
    // A second start while the first still shows its splash waits for the first's window.
    ASSERT_TRUE(PumpUntil(
        [] { return static_cast<bool>(win32::UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutexName))); },
        30000));
    ChildProcess early(program);
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (HWND w : Windows("#32770", "Tidewell", first.Id()))
                main = IsWindowVisible(w) ? w : main;
            return main != nullptr;
        },
        30000))
        << "the main window shows after the splash";
    ASSERT_TRUE(early.HasEnded(30000)) << "the early second start gave way";
    EXPECT_EQ(early.ExitCode(), 0u);

    // Showing another process's window is only posted to it: a message sent after it returns once
    // the running copy has dealt with everything before.
    const auto settled = [main] { return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 10000, nullptr) != 0; };
    for (const char* argument : {"", " -PowerOn"}) {
        ShowWindow(main, SW_HIDE); // as if hidden in the tray
        ASSERT_TRUE(settled());
        ChildProcess second(program + argument);
        ASSERT_TRUE(second.HasEnded(30000));
        EXPECT_EQ(second.ExitCode(), 0u);
        ASSERT_TRUE(settled());
        EXPECT_EQ(IsWindowVisible(main) != FALSE, *argument == '\0') << "a logon start leaves it hidden";
        EXPECT_EQ(Windows("#32770", "Tidewell").size(), 1u);
    }

    // The window's own message loop hands the keyboard to the dialog: Tab moves to the next
    // control.
    const auto focus = [main] {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread) ? thread.hwndFocus : nullptr;
    };
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
    ASSERT_TRUE(PumpUntil([&] { return focus() != nullptr && IsChild(main, focus()); }, 10000));
    const HWND before = focus();
    PostMessageA(before, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(PumpUntil([&] { return focus() != before && IsChild(main, focus()); }, 10000));

    PostMessageA(main, WM_CLOSE, 0, 0); // as the task list closes it
    ASSERT_TRUE(first.HasEnded(15000));
    EXPECT_EQ(first.ExitCode(), 0u);
}

// Under the session's plain name (Wine has no private namespaces) anyone may hold the mark and
// title a window "Tidewell": a logon start still starts, and a manual start brings the real copy
// back, never the stranger's window.
TEST_F(MainAppTest, ASquattedMarkNeitherStopsAStartNorShowsAStrangersWindow)
{
    const win32::UniqueHandle squatted(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
    const std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)> stranger(
        CreateWindowExA(0, "#32770", "Tidewell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        DestroyWindow);
    const std::string program = "\"" + GetModulePath("Tidewell.exe") + "\"";
    ChildProcess logon(program + " -PowerOn");
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            const std::vector<HWND> found = Windows("#32770", "Tidewell", logon.Id());
            main = found.empty() ? nullptr : found.front();
            return main != nullptr || logon.HasEnded();
        },
        30000));
    ASSERT_TRUE(main) << "the logon start gave way to the stranger";
    ChildProcess manual(program);
    ASSERT_TRUE(manual.HasEnded(30000));
    EXPECT_TRUE(PumpUntil([main] { return IsWindowVisible(main) != FALSE; }, 10000)) << "the real copy came back";
    EXPECT_FALSE(IsWindowVisible(stranger.get()));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(logon.HasEnded(15000));
}

// A window of the process whose caption, or the text of one of its children, is `text`.
HWND WindowShowing(DWORD process, const std::string& text)
{
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != process || !IsWindowVisible(w))
            continue;
        if (win32::WindowText(w) == text)
            return w;
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (win32::WindowText(c) == text)
                return w;
    }
    return nullptr;
}

// The built program as a newcomer meets it under Wine, where no folder reads as protected and so
// the history is never kept: a clean-up with its report open, then Exit answered Yes. It ends, and
// no box about the history opens on the way.
TEST_F(MainAppTest, TheBuiltProgramEndsOnExitWithItsReportOpen)
{
    Store(kCleanMethods, kEmptyWorkingSets); // a run that commits no memory of this machine's
    ChildProcess app("\"" + GetModulePath("Tidewell.exe") + "\"");
    ASSERT_TRUE(app.Started());
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (main = WindowShowing(app.Id(), "Tidewell")) != nullptr; }, 30000));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_CLEANRAM_BT, BN_CLICKED), 0);
    const std::string historyBox = FillPlaceholders(UiText("strHistoryNotKept"), {HistoryFolder()});
    bool historyBoxSeen = false;
    const auto showing = [&](const std::string& text) {
        historyBoxSeen = historyBoxSeen || WindowShowing(app.Id(), historyBox);
        return WindowShowing(app.Id(), text);
    };
    ASSERT_TRUE(PumpUntil([&] { return showing("Tidewell" + UiText("ReportStr1")) != nullptr; }, 30000));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXITBT, BN_CLICKED), 0);
    HWND question = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (question = showing(UiText("strExitQuery"))) != nullptr; }, 30000));
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(PumpUntil([&] { return showing("?"), app.HasEnded(); }, 10000)) << "still running after Yes";
    EXPECT_FALSE(historyBoxSeen);
    EXPECT_EQ(app.ExitCode(), 0u);
}

} // namespace
