#include "common/user_launch_win.h"

#include <utility>

#include "common/account_win.h"
#include "common/command_resolution.h"
#include "common/launch_environment_win.h"
#include "common/resource_text.h"
#include "common/user_environment.h"
#include "common/web_address.h"
#include "win32/utf16.h"

namespace {

std::function<ShellToken()>& ShellTokenSource()
{
    static std::function<ShellToken()> source;
    return source;
}

std::function<ShellTokenFacts(HANDLE, DWORD)>& ShellTokenFactsSource()
{
    static std::function<ShellTokenFacts(HANDLE, DWORD)> source;
    return source;
}

std::function<CreatedProcess(const UserProcess&)>& Creator()
{
    static std::function<CreatedProcess(const UserProcess&)> creator;
    return creator;
}

CreatedProcess CreateWithToken(const UserProcess& process)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(process.show);
    std::wstring commandLine = process.commandLine; // the call may write into it
    PROCESS_INFORMATION created{};
    if (!CreateProcessWithTokenW(process.token, 0, process.application.c_str(), commandLine.data(),
                                 CREATE_UNICODE_ENVIRONMENT, const_cast<void*>(process.environment),
                                 process.folder.c_str(), &startup, &created))
        return {0, GetLastError()};
    CloseHandle(created.hThread);
    CloseHandle(created.hProcess);
    return {created.dwProcessId, 0};
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(win32::Utf16(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SystemPath(UINT(WINAPI* get)(LPWSTR, UINT), const std::string& file = {})
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = get(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? win32::Utf8(folder) + file : std::string();
}

// Runs `start` with the user's token and environment, or says why there are none.
LaunchOutcome WithUserToken(
    const std::function<LaunchOutcome(const ShellToken&, const EnvironmentBlock&)>& start)
{
    LaunchOutcome outcome;
    const ShellToken shell = ShellTokenSource() ? ShellTokenSource()() : OpenShellToken();
    if (!shell.token) {
        outcome.status = shell.verdict == ShellTokenVerdict::NoShell ? LaunchStatus::NoUserShell
                                                                     : LaunchStatus::ShellRefused;
        return outcome;
    }
    const EnvironmentBlock environment(shell.token.get());
    if (!environment.get()) {
        outcome.status = LaunchStatus::Failed;
        outcome.error = GetLastError();
        return outcome;
    }
    return start(shell, environment);
}

LaunchOutcome Create(const ShellToken& shell, const EnvironmentBlock& environment, const std::string& application,
                     const std::string& commandLine, int show)
{
    UserProcess process;
    process.token = shell.token.get();
    process.tokenProcessId = shell.processId;
    process.application = win32::Utf16(application);
    process.commandLine = win32::Utf16(commandLine);
    process.folder = process.application.substr(0, process.application.find_last_of(L"\\/") + 1);
    process.environment = environment.get();
    process.show = show;
    const CreatedProcess created = Creator() ? Creator()(process) : CreateWithToken(process);
    LaunchOutcome outcome;
    outcome.application = application;
    outcome.status = created.error == 0 ? LaunchStatus::Started : LaunchStatus::Failed;
    outcome.error = created.error;
    outcome.processId = created.processId;
    return outcome;
}

} // namespace

ShellToken OpenShellToken()
{
    ShellToken shell;
    DWORD processId = 0;
    HWND window = GetShellWindow();
    if (!window || !GetWindowThreadProcessId(window, &processId))
        return shell;
    win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    HANDLE opened = nullptr;
    if (!process || !OpenProcessToken(process.get(), TOKEN_DUPLICATE | TOKEN_QUERY, &opened))
        return shell;
    const win32::UniqueHandle token(opened);
    constexpr DWORD kAccess =
        TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(token.get(), kAccess, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return shell;
    win32::UniqueHandle candidate(primary);
    const ShellTokenFacts facts = ShellTokenFactsSource() ? ShellTokenFactsSource()(primary, processId)
                                                          : ReadShellTokenFacts(primary, processId);
    shell.verdict = JudgeShellToken(facts, InteractiveUserSid(), OwnProcessSession(), GetCurrentProcessId());
    if (shell.verdict == ShellTokenVerdict::Accepted) {
        shell.token = std::move(candidate);
        shell.processId = processId;
    }
    return shell;
}

ShellTokenFacts ReadShellTokenFacts(HANDLE token, DWORD processId)
{
    ShellTokenFacts facts;
    facts.user = TokenUserSid(token);
    facts.session = TokenSession(token);
    facts.processId = processId;
    TOKEN_ELEVATION_TYPE type{};
    DWORD size = 0;
    if (GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size))
        facts.elevatedHalf = type == TokenElevationTypeFull;
    return facts;
}

void SetShellTokenFactsSource(std::function<ShellTokenFacts(HANDLE token, DWORD processId)> source)
{
    ShellTokenFactsSource() = std::move(source);
}

void SetShellTokenSource(std::function<ShellToken()> source) { ShellTokenSource() = std::move(source); }

void SetUserProcessCreator(std::function<CreatedProcess(const UserProcess&)> creator)
{
    Creator() = std::move(creator);
}

LaunchOutcome StartCommandAsUser(const std::string& command, bool expand, int show)
{
    return WithUserToken([&](const ShellToken& shell, const EnvironmentBlock& environment) {
        const UserEnvironment variables = environment.Variables();
        const std::vector<std::string> folders = ProgramSearchFolders(
            SystemPath(GetSystemDirectoryW), SystemPath(GetSystemWindowsDirectoryW), variables);
        const ResolvedCommand resolved = ResolveCommand(expand ? variables.Expand(command) : command, IsFile, folders);
        if (resolved.verdict == CommandVerdict::Resolved)
            return Create(shell, environment, resolved.application, resolved.commandLine, show);
        LaunchOutcome outcome;
        outcome.status =
            resolved.verdict == CommandVerdict::Ambiguous ? LaunchStatus::Ambiguous : LaunchStatus::NotFound;
        outcome.candidates = resolved.candidates;
        return outcome;
    });
}

LaunchOutcome StartProgramAsUser(const std::string& application, const std::string& arguments, int show)
{
    return WithUserToken([&](const ShellToken& shell, const EnvironmentBlock& environment) {
        return Create(shell, environment, application, "\"" + application + "\" " + arguments, show);
    });
}

LaunchOutcome OpenAddressAsUser(const std::string& address, int show)
{
    if (!IsOpenableAddress(address)) {
        LaunchOutcome refused;
        refused.status = LaunchStatus::Refused;
        return refused;
    }
    return StartProgramAsUser(SystemPath(GetSystemDirectoryW, "\\rundll32.exe"), "url.dll,FileProtocolHandler " + address,
                              show);
}

LaunchOutcome OpenHelpAsUser(const std::string& helpPath)
{
    if (!IsFile(helpPath))
        return {};
    return StartProgramAsUser(SystemPath(GetSystemWindowsDirectoryW, "\\hh.exe"), "\"" + helpPath + "\"");
}

std::string LaunchRefusalText(const LaunchOutcome& outcome, const std::string& command)
{
    CResourceText texts;
    switch (outcome.status) {
    case LaunchStatus::Started:
        return {};
    case LaunchStatus::NotFound:
        return texts.Text("strStartNotFound") + "\n\n" + command;
    case LaunchStatus::Ambiguous: {
        std::string text = texts.Text("strStartAmbiguous") + "\n";
        for (const std::string& candidate : outcome.candidates)
            text += "\n" + candidate;
        return text;
    }
    case LaunchStatus::NoUserShell:
        return texts.Text("strStartNoUserShell");
    case LaunchStatus::ShellRefused:
        return texts.Text("strStartShellRefused");
    case LaunchStatus::Refused:
        return texts.Text("strLinkRefused") + "\n\n" + command;
    case LaunchStatus::Failed:
        break;
    }
    return texts.Text("strStartFailed") + " " + std::to_string(outcome.error) + "\n\n" + command;
}
