// The console program run for real against the main window living in this test: its output and
// exit code, and what the window did.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_dlg_fixture_win.h"
#include "common/module_path.h"
#include "console/command_protocol.h"
#include "support/child_process_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::ChildProcess;
using testing_support::MainDlgTest;
using testing_support::PumpUntil;

struct ConsoleRun {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
};

// Runs tidewellc.exe and pumps this thread's messages until it ends: the window it talks to
// lives on this thread.
ConsoleRun RunConsole(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ConsoleRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16))
        return run;
    win32::UniqueHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    {
        const std::string exe = GetModulePath("tidewellc.exe");
        const ChildProcess console("\"" + exe + "\" " + arguments, CREATE_NO_WINDOW, exe.c_str(), writeEnd);
        writer.reset();
        PumpUntil([&console] { return console.HasEnded(); }, 60000);
        run.exitCode = console.ExitCode();
    } // ended if it still runs: it holds the pipe
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.out.append(buffer, got);
    // Text-mode output ends its lines with CR LF, as every console program there does.
    std::erase(run.out, '\r');
    return run;
}

TEST_F(MainDlgTest, ConsoleProgramReadsFiguresAndDrivesTheRunningCopy)
{
    ConsoleRun run = RunConsole("show --json");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.out, "{\"command\":\"show\",\"result\":\"not-running\",\"message\":\"Tidewell is not running\"}\n");
    run = RunConsole("clean --eighths 9");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.out.find("Usage: tidewellc"), std::string::npos) << run.out;

    Open();
    ShowWindow(Window(), SW_HIDE);
    // The pretended machine's figures come back: they are the running copy's, not the caller's.
    run = RunConsole("clean --eighths 2 --json");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "{\"command\":\"clean\",\"result\":\"done\",\"mode\":\"organise\",\"eighths\":2,"
                       "\"before\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},"
                       "\"after\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},\"gainedMB\":0}\n");
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0) << "the caller has the figures; no report waits for a click";
    EXPECT_FALSE(CleanState.busy);
    EXPECT_TRUE(Enabled(IDC_LZL_BUTTON));

    SetCleanBusy(true);
    run = RunConsole("clean");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.out, "tidewellc: a clean is already in progress\n");
    SetCleanBusy(false);

    // A refused request starts nothing: a record not tagged as a request.
    auto organise = remote::EncodeRequest({remote::Command::Clean, remote::CleanMode::Organise, 3, 1});
    COPYDATASTRUCT untagged{1, static_cast<DWORD>(organise.size()), organise.data()};
    const auto caller = reinterpret_cast<WPARAM>(Window());
    EXPECT_EQ(SendMessageA(Window(), WM_COPYDATA, caller, reinterpret_cast<LPARAM>(&untagged)),
              static_cast<LRESULT>(remote::Answer::Invalid));
    EXPECT_FALSE(CleanState.busy);

    run = RunConsole("clean");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out.rfind("Clean (growing clean-up run) done.\nBefore", 0), 0u) << run.out;
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0);

    run = RunConsole("show");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(IsWindowVisible(Window()));
    run = RunConsole("status --json");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out.rfind("{\"command\":\"status\",\"result\":\"done\",\"physical\":{\"availMB\":", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\"tidewellRunning\":true}\n"), std::string::npos) << run.out;

    const HWND window = Window();
    run = RunConsole("exit --json");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "{\"command\":\"exit\",\"result\":\"done\"}\n");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host_.boxes.empty()) << "an exit asked for by the console program asks nothing";
}

} // namespace
