#include "win32/system_look.h"

#include <cstring>

#include "win32/high_contrast.h"
#include "win32/ntdll_entry.h"

namespace win32 {

namespace {

constexpr char kPersonalizeKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Absent or unreadable: the value Windows acts on without it.
bool LightThemeValue(const char* name, bool absent)
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kPersonalizeKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return absent;
    return value != 0;
}

} // namespace

DWORD WindowsBuild()
{
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto rtlGetVersion = NtdllEntry<RtlGetVersionFn>("RtlGetVersion");
    return rtlGetVersion && rtlGetVersion(&info) >= 0 && info.dwMajorVersion >= 10 ? info.dwBuildNumber : 0;
}

Look SystemLook()
{
    if (HighContrastOn())
        return Look::HighContrast;
    if (!LightThemeValue("AppsUseLightTheme", true))
        return Look::Dark;
    return Look::Light;
}

bool TaskbarIsLight() { return LightThemeValue("SystemUsesLightTheme", false); }

bool IsLookChange(UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_SYSCOLORCHANGE)
        return true;
    if (message != WM_SETTINGCHANGE)
        return false;
    if (wp == SPI_SETHIGHCONTRAST)
        return true;
    // The system hands an ANSI window the area's name in ANSI.
    const auto* area = reinterpret_cast<const char*>(lp);
    return area && std::strcmp(area, "ImmersiveColorSet") == 0;
}

} // namespace win32
