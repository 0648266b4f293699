#include "common/windows_family_win.h"

#include <windows.h>

bool IsWindows9x()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    return version.dwPlatformId != VER_PLATFORM_WIN32_NT;
}
