#include "win32/dark_menus.h"

#include "win32/system_library.h"
#include "win32/system_look.h"

namespace win32 {

namespace {

// uxtheme.dll's unnamed exports: 135 is AllowDarkModeForApp(BOOL) up to build 18362 and
// SetPreferredAppMode(int) from then on, and 1 asks the same of both (allow dark, follow the user).
struct Entries {
    using AllowForApp = int(WINAPI*)(int);
    using AllowForWindow = BOOL(WINAPI*)(HWND, BOOL);
    using Refresh = void(WINAPI*)();
    AllowForApp allowForApp = nullptr;          // 135
    AllowForWindow allowForWindow = nullptr;    // 133
    Refresh refreshPolicy = nullptr;            // 104 RefreshImmersiveColorPolicyState
    Refresh flushMenuThemes = nullptr;          // 136
    bool complete() const { return allowForApp && allowForWindow && refreshPolicy && flushMenuThemes; }
};

template <typename Fn>
Fn ByOrdinal(WORD ordinal)
{
    return SystemFunction<Fn>("uxtheme.dll", MAKEINTRESOURCEA(ordinal));
}

// Looked up at each use (a menu's owner window opening, a change of mode): rare, and no state kept.
// Wine's uxtheme has other functions at some of these numbers and none at others: all four or none.
Entries Lookup()
{
    if (WindowsBuild() < kFirstDarkBuild)
        return {};
    Entries entries{ByOrdinal<Entries::AllowForApp>(135), ByOrdinal<Entries::AllowForWindow>(133),
                    ByOrdinal<Entries::Refresh>(104), ByOrdinal<Entries::Refresh>(136)};
    return entries.complete() ? entries : Entries{};
}

} // namespace

void AllowDarkMenus()
{
    const Entries entries = Lookup();
    if (!entries.complete())
        return;
    entries.allowForApp(1);
    entries.refreshPolicy();
    entries.flushMenuThemes();
}

void RefreshDarkMenus()
{
    const Entries entries = Lookup();
    if (!entries.complete())
        return;
    entries.refreshPolicy();
    entries.flushMenuThemes();
}

void AllowDarkWindow(HWND window, bool dark)
{
    const Entries entries = Lookup();
    if (entries.complete())
        entries.allowForWindow(window, dark);
}

} // namespace win32
