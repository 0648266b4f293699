// The console program run for real against the main window living in this test: its output and
// exit code, and what the window did. It runs from console-peer, where the Tidewell.exe beside it
// is a link to this test program, so the window here is the Tidewell it expects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/clock.h"
#include "common/module_path.h"
#include "support/child_process_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using testing_support::ChildProcess;
using testing_support::MainDlgTest;
using testing_support::PumpUntil;

// Runs tidewellc.exe, checks its exit code and gives its output; pumps this thread's messages
// until it ends: the window it talks to lives on this thread.
std::string RunConsole(const std::string& arguments, DWORD exitCode,
                       const std::string& exe = GetModulePath("console-peer\\tidewellc.exe"))
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16));
    win32::UniqueHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    {
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
    static uint32_t now;
    now = 1000000; // a clock that stands still until the test moves it
    SetTickCountSource([] { return now; });
    // The pretended machine's figures come back: they are the running copy's, not the caller's.
    out = RunConsole("clean --eighths 1 --json", 0);
    EXPECT_EQ(out, "{\"command\":\"clean\",\"result\":\"done\",\"mode\":\"organise\",\"eighths\":1,"
                   "\"before\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},"
                   "\"after\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},\"gainedMB\":0}\n");
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0) << "the caller has the figures; no report waits for a click";
    EXPECT_TRUE(!CleanState.busy && Enabled(IDC_LZL_BUTTON));
    // Cleans asked for come at least 30 s apart.
    out = RunConsole("clean --eighths 1", 3);
    EXPECT_EQ(out, "tidewellc: the last clean ended less than 30 seconds ago; Tidewell takes the next in 30 s\n");
    now += 30000;

    SetCleanBusy(true);
    out = RunConsole("clean", 3);
    EXPECT_EQ(out, "tidewellc: a clean is already in progress\n");
    SetCleanBusy(false);

    out = RunConsole("clean", 0);
    EXPECT_EQ(out.rfind("Clean (growing clean-up run) done.\nBefore", 0), 0u) << out;
    EXPECT_FALSE(CleanState.busy || ModalCount(IDD_REPORT_DIALOG) != 0);
    SetTickCountSource(nullptr);

    // Beside the tidewellc of the build folder lies the real Tidewell.exe, which is not what
    // answers here: that tidewellc asks nothing of this window.
    out = RunConsole("show", 4, GetModulePath("tidewellc.exe"));
    EXPECT_EQ(out, "tidewellc: the program answering on Tidewell's channel is not the Tidewell.exe beside tidewellc\n");
    EXPECT_FALSE(IsWindowVisible(Window()));

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
