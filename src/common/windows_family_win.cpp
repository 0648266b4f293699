#include "common/windows_family_win.h"

#include <windows.h>

#include "win32/ntdll_entry.h"

bool IsWindows9x()
{
#if defined(_WIN64)
    // No 64-bit program runs there. A compatibility layer can fake what GetVersionEx says, and on
    // 9x every place counts as protected: the answer must not be one a setting can change.
    return false;
#else
    // Asked on every tick; the family never changes under a running program.
    static const bool family9x = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExA(&version);
        return version.dwPlatformId != VER_PLATFORM_WIN32_NT;
    }();
    return family9x;
#endif
}

WindowsVersion RunningWindowsVersion()
{
    WindowsVersion version;
    version.nt = !IsWindows9x();
    // RtlGetVersion tells the true version; GetVersionEx stops at 6.2 without a manifest entry.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto rtlGetVersion = win32::NtdllEntry<RtlGetVersionFn>("RtlGetVersion");
    if (version.nt && rtlGetVersion && rtlGetVersion(&info) >= 0) {
        version.major = info.dwMajorVersion;
        version.minor = info.dwMinorVersion;
        return version;
    }
    OSVERSIONINFOA fallback{};
    fallback.dwOSVersionInfoSize = sizeof fallback;
    GetVersionExA(&fallback);
    version.major = fallback.dwMajorVersion;
    version.minor = fallback.dwMinorVersion;
    return version;
}
