#include "app/uninstall_win.h"

#include <windows.h>

#include "app/autostart_win.h"
#include "common/module_path.h"
#include "win32/handles.h"
#include "win32/program_name.h"

bool UpgradeUnderway()
{
    using EnumRelated = UINT(WINAPI*)(LPCSTR, DWORD, DWORD, LPSTR);
    win32::UniqueModule msi(LoadLibraryA("msi.dll"));
    auto enumRelated = msi ? reinterpret_cast<EnumRelated>(
                                 reinterpret_cast<void (*)()>(GetProcAddress(msi.get(), "MsiEnumRelatedProductsA")))
                           : nullptr;
    if (!enumRelated)
        return false;
    DWORD installed = 0;
    char product[39];
    while (enumRelated(kUpgradeCode, 0, installed, product) == ERROR_SUCCESS)
        ++installed;
    return installed > 1;
}

void EndRunningCopy()
{
    HWND running = FindWindowA(nullptr, win32::kProgramName);
    if (!running)
        return;
    DWORD id = 0;
    GetWindowThreadProcessId(running, &id);
    win32::UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    // As the Restart Manager closes a program: the running copy ends as it would at logoff.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer);
    SendMessageTimeoutA(running, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer);
    if (process && WaitForSingleObject(process.get(), 10000) == WAIT_TIMEOUT)
        TerminateProcess(process.get(), 1);
}

void UndoInstallation()
{
    if (UpgradeUnderway())
        return;
    DisableAutostart();
    EndRunningCopy();
    // The delay list lives in the program's folder, which the removal takes away; the settings
    // key stays for a later installation.
    DeleteFileA(GetModulePath("Delay.ini").c_str());
}
