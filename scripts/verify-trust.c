// Asks WinVerifyTrust, as Explorer and SmartScreen do, about each file named: prints its answer
// (an HRESULT, 0 when the signature holds) and the file, one line each. Built and run under Wine
// by scripts/check-dist.sh.
#include <windows.h>
#include <softpub.h>
#include <wintrust.h>
#include <stdio.h>

int wmain(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        WINTRUST_FILE_INFO file = {sizeof file};
        file.pcwszFilePath = argv[i];
        WINTRUST_DATA data = {sizeof data};
        data.dwUIChoice = WTD_UI_NONE;
        data.fdwRevocationChecks = WTD_REVOKE_NONE;
        data.dwUnionChoice = WTD_CHOICE_FILE;
        data.pFile = &file;
        data.dwStateAction = WTD_STATEACTION_VERIFY;
        GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
        const LONG status = WinVerifyTrust(NULL, &action, &data);
        data.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(NULL, &action, &data);
        wprintf(L"%08lX %ls\n", (unsigned long)status, argv[i]);
    }
    return 0;
}
