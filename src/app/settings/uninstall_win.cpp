#include "app/settings/uninstall_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "app/settings/autostart_win.h"
#include "app/settings/settings_win.h"
#include "common/account_win.h"
#include "common/module_path.h"
#include "common/program_identity_win.h"
#include "tools/startup/delayed_restore_win.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace {

constexpr DWORD kEndSessionMs = 5000;
constexpr DWORD kEndWaitMs = 10000;

BOOL CALLBACK CollectWindowsOf(HWND window, LPARAM found)
{
    auto& windows = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows.first)
        windows.second.push_back(window);
    return TRUE;
}

void EndCopy(DWORD processId, HANDLE process)
{
    std::pair<DWORD, std::vector<HWND>> windows{processId, {}};
    EnumWindows(CollectWindowsOf, reinterpret_cast<LPARAM>(&windows));
    // As Windows closes a program at logoff: every top-level window hears of the end.
    DWORD_PTR answer = 0;
    for (HWND window : windows.second)
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, kEndSessionMs,
                            &answer);
    for (HWND window : windows.second)
        SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, kEndSessionMs,
                            &answer);
    const DWORD wait = windows.second.empty() ? 0 : kEndWaitMs;
    if (WaitForSingleObject(process, wait) == WAIT_TIMEOUT)
        TerminateProcess(process, 1);
}

} // namespace

bool UpgradeUnderway()
{
    using EnumRelated = UINT(WINAPI*)(LPCSTR, DWORD, DWORD, LPSTR);
    const auto enumRelated = win32::SystemFunction<EnumRelated>("msi.dll", "MsiEnumRelatedProductsA");
    if (!enumRelated)
        return false;
    DWORD installed = 0;
    char product[39];
    while (enumRelated(kUpgradeCode, 0, installed, product) == ERROR_SUCCESS)
        ++installed;
    return installed > 1;
}

void EndRunningCopies(const std::string& programPath)
{
    const std::optional<std::string> program = FinalPathOf(programPath);
    win32::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!program || !snapshot)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId())
            continue;
        // Asked through the handle that ends it, so the id cannot meanwhile name another process.
        win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE,
                                                FALSE, entry.th32ProcessID));
        const std::optional<std::string> runs = process ? ProcessProgramPath(process.get()) : std::nullopt;
        if (runs && SameProgramFile(*runs, *program))
            EndCopy(entry.th32ProcessID, process.get());
    }
}

void UndoInstallation(const UninstallArguments& arguments)
{
    if (UpgradeUnderway())
        return;
    DisableAutostart();
    EndRunningCopies(ProgramPath());
    // Delay.ini lives in the program's folder, which the removal takes away; the settings key stays
    // for a later installation.
    RestoreDelayedEntries(GetModulePath("Delay.ini"), arguments.userSid.value_or(OwnUserSid()));
    if (!arguments.keepSettings) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }
}
