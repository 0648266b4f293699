// The console program run for real against the main window living in this test: its output and
// exit code, and what the window did.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/module_path.h"
#include "remote/command_protocol.h"
#include "support/child_process_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::ChildProcess;
using testing_support::MainDlgTest;
using testing_support::PumpUntil;

// Runs tidewellc.exe, checks its exit code and gives its output; pumps this thread's messages
// until it ends: the window it talks to lives on this thread.
std::string RunConsole(const std::string& arguments, DWORD exitCode)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16));
    win32::UniqueHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    {
        const std::string exe = GetModulePath("tidewellc.exe");
        const ChildProcess console("\"" + exe + "\" " + arguments, CREATE_NO_WINDOW, exe.c_str(), writeEnd);
        writer.reset();
        PumpUntil([&console] { return console.HasEnded(); }, 60000);
        EXPECT_EQ(console.ExitCode(), exitCode) << arguments;
    } // ended if it still runs: it holds the pipe
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    // Text-mode output ends its lines with CR LF, as every console program there does.
    std::erase(out, '\r');
    return out;
}

TEST_F(MainDlgTest, ConsoleProgramReadsFiguresAndDrivesTheRunningCopy)
{
    std::string out = RunConsole("show --json", 2);
    EXPECT_EQ(out, "{\"command\":\"show\",\"result\":\"not-running\",\"message\":\"Tidewell is not running\"}\n");
    out = RunConsole("clean --eighths 9", 1);
    EXPECT_NE(out.find("Usage: tidewellc"), std::string::npos) << out;

    Open();
    ShowWindow(Window(), SW_HIDE);
    // The pretended machine's figures come back: they are the running copy's, not the caller's.
    out = RunConsole("clean --eighths 2 --json", 0);
    EXPECT_EQ(out, "{\"command\":\"clean\",\"result\":\"done\",\"mode\":\"organise\",\"eighths\":2,"
                   "\"before\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},"
                   "\"after\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},\"gainedMB\":0}\n");
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0) << "the caller has the figures; no report waits for a click";
    EXPECT_TRUE(!CleanState.busy && Enabled(IDC_LZL_BUTTON));

    SetCleanBusy(true);
    out = RunConsole("clean", 3);
    EXPECT_EQ(out, "tidewellc: a clean is already in progress\n");
    SetCleanBusy(false);

    // A refused request starts nothing: a record not tagged as a request.
    auto organise = remote::EncodeRequest({remote::Command::Clean, remote::CleanMode::Organise, 3, 1});
    COPYDATASTRUCT untagged{1, static_cast<DWORD>(organise.size()), organise.data()};
    const auto caller = reinterpret_cast<WPARAM>(Window());
    EXPECT_EQ(SendMessageA(Window(), WM_COPYDATA, caller, reinterpret_cast<LPARAM>(&untagged)),
              static_cast<LRESULT>(remote::Answer::Invalid));
    EXPECT_FALSE(CleanState.busy);

    out = RunConsole("clean", 0);
    EXPECT_EQ(out.rfind("Clean (growing clean-up run) done.\nBefore", 0), 0u) << out;
    EXPECT_FALSE(CleanState.busy || ModalCount(IDD_REPORT_DIALOG) != 0);

    RunConsole("show", 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    out = RunConsole("status --json", 0);
    EXPECT_EQ(out.rfind("{\"command\":\"status\",\"result\":\"done\",\"physical\":{\"availMB\":", 0), 0u) << out;
    EXPECT_NE(out.find("\"tidewellRunning\":true}\n"), std::string::npos) << out;

    const HWND window = Window();
    out = RunConsole("exit --json", 0);
    EXPECT_EQ(out, "{\"command\":\"exit\",\"result\":\"done\"}\n");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host_.boxes.empty()) << "an exit asked for by the console program asks nothing";
}

} // namespace
