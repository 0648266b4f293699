#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/launch_environment_win.h"
#include "common/resource_text.h"
#include "common/user_launch_win.h"
#include "support/child_process_win.h"
#include "support/message_pump_win.h"
#include "support/registry_snapshot_win.h"
#include "support/stand_in_shell_win.h"
#include "win32/utf16.h"

using namespace testing_support;

namespace {

// What Tidewell starts for others gets the shell's token and the user's environment, names its
// program exactly, and starts nothing without that token. The startup manager's, the launcher's
// and the links' tests start programs for real.
TEST(UserLaunch, TheShellsTokenTheUsersVariablesOneProgramOrNothing)
{
    ScratchDir scratch("user-launch");
    const std::string folder = scratch.path().string() + "\\\xE5\x90\x8C\xE6\xAD\xA5 tools"; // UTF-8 is the code page
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const auto place = [&folder](const std::string& name) {
        CopyFileA((TestProgramFolder() / "sleeper_child.exe").string().c_str(), (folder + "\\" + name).c_str(), FALSE);
        return folder + "\\" + name;
    };
    const std::string sleeper = place("sleeper child.exe");
    // The user's own variable comes from the registry; Tidewell's environment says otherwise.
    RegistrySnapshot variables(HKEY_CURRENT_USER, "Environment");
    ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, "Environment", "TidewellProbe", REG_SZ, folder.c_str(),
                           static_cast<DWORD>(folder.size() + 1)));
    SetEnvironmentVariableA("TidewellProbe", "C:\\windows");
    const StandInShell shell;
    ASSERT_EQ(GetShellWindow(), shell.window);

    // Each process as "<the token's process>|<application>|<command line>".
    std::vector<std::string> created;
    SetUserProcessCreator([&created](const UserProcess& process) {
        TOKEN_TYPE type{};
        DWORD size = 0;
        GetTokenInformation(process.token, TokenType, &type, sizeof type, &size);
        const bool primaryWithEnvironment = type == TokenPrimary && process.environment;
        created.push_back(std::to_string(primaryWithEnvironment ? process.tokenProcessId : 0) + "|" +
                          win32::Utf8(process.application) + "|" + win32::Utf8(process.commandLine));
        return CreatedProcess{4242, 0};
    });
    const std::string shellProcess = std::to_string(GetCurrentProcessId()) + "|";
    LaunchOutcome outcome = StartCommandAsUser("%TidewellProbe%\\sleeper child.exe /x", true);
    EXPECT_EQ(outcome.status, LaunchStatus::Started);
    EXPECT_EQ(outcome.processId, 4242u);
    // A second program where the unquoted line has a blank: refused, never guessed.
    const std::string shorter = place("sleeper.exe");
    outcome = StartCommandAsUser(sleeper + " /x", false);
    EXPECT_EQ(LaunchRefusalText(outcome, sleeper), UiText("strStartAmbiguous") + "\n\n" + shorter + "\n" + sleeper);

    // The help viewer and the address handler are the system's, named exactly; only addresses open.
    const std::string help = place("Help.chm");
    char windows[MAX_PATH];
    const std::string viewer = std::string(windows, GetSystemWindowsDirectoryA(windows, MAX_PATH)) + "\\hh.exe";
    const std::string handler = std::string(windows) + "\\system32\\rundll32.exe";
    EXPECT_EQ(OpenHelpAsUser(help).status, LaunchStatus::Started);
    EXPECT_EQ(OpenAddressAsUser("https://tidewell.example.org/a?b=%20", SW_SHOW).status, LaunchStatus::Started);
    EXPECT_EQ(OpenAddressAsUser(sleeper, SW_SHOW).status, LaunchStatus::Refused);
    EXPECT_EQ(created, (std::vector<std::string>{
                           shellProcess + sleeper + "|\"" + sleeper + "\" /x",
                           shellProcess + viewer + "|\"" + viewer + "\" \"" + help + "\"",
                           shellProcess + handler + "|\"" + handler +
                               "\" url.dll,FileProtocolHandler https://tidewell.example.org/a?b=%20",
                       }));

    // Without the shell's token nothing starts, and the reason is given.
    SetShellTokenSource([] { return ShellToken{}; });
    outcome = StartCommandAsUser("\"" + sleeper + "\"", false);
    EXPECT_EQ(OpenHelpAsUser(help).status, LaunchStatus::NoUserShell);
    EXPECT_EQ(created.size(), 3u);
    EXPECT_EQ(LaunchRefusalText(outcome, sleeper), UiText("strStartNoUserShell"));
    SetShellTokenSource({});
    // The stand-in's token as Wine really describes it: this very process's (and elevated). Refused,
    // and said so; the creator is never reached.
    SetShellTokenFactsSource({});
    EXPECT_EQ(OpenShellToken().verdict, ShellTokenVerdict::OwnProcess);
    outcome = StartCommandAsUser("\"" + sleeper + "\"", false);
    EXPECT_EQ(LaunchRefusalText(outcome, sleeper), UiText("strStartShellRefused"));
    EXPECT_EQ(created.size(), 3u);
    SetUserProcessCreator({});

    // A system program started with Tidewell's own rights sees neither value: the machine's alone.
    char system[MAX_PATH];
    const std::string systemFolder(system, GetSystemDirectoryA(system, MAX_PATH));
    const std::string listing = scratch.File("set.txt"), done = scratch.File("done.txt");
    ASSERT_TRUE(StartSystemProgram(systemFolder + "\\cmd.exe",
                                   "cmd.exe /c set > \"" + listing + "\" && echo.> \"" + done + "\"", systemFolder,
                                   SW_HIDE));
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(done); }, 30000));
    const std::string machine = ReadWholeFile(listing);
    EXPECT_NE(machine.find("windir="), std::string::npos) << machine;
    EXPECT_EQ(machine.find("TidewellProbe"), std::string::npos) << machine;
    variables.Restore();
    SetEnvironmentVariableA("TidewellProbe", nullptr);
}

} // namespace
