#include "app/administrator_win.h"

#include <windows.h>

#include "win32/handles.h"

bool IsAdministrator()
{
    win32::UniqueModule advapi(LoadLibraryA("Advapi32.DLL"));
    if (!advapi)
        return false;
    using CheckTokenMembershipFn = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    const auto check = reinterpret_cast<CheckTokenMembershipFn>(
        reinterpret_cast<void*>(GetProcAddress(advapi.get(), "CheckTokenMembership")));
    if (!check)
        return false;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                  0, 0, 0, 0, &admins))
        return false;
    BOOL member = FALSE;
    const bool ok = check(nullptr, admins, &member) != FALSE;
    FreeSid(admins);
    return ok && member;
}
