#include "win32/window_look.h"

#include <commctrl.h>

#include <cstring>

#include "win32/dark_menus.h"
#include "win32/system_library.h"

namespace win32 {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE: 20 from build 18985 on, 19 before; Wine may answer neither.
void SetDarkTitleBar(HWND window, bool dark)
{
    if (WindowsBuild() < kFirstDarkBuild)
        return;
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    const auto set = SystemFunction<SetAttribute>("dwmapi.dll", "DwmSetWindowAttribute");
    if (!set)
        return;
    const BOOL value = dark;
    if (FAILED(set(window, 20, &value, sizeof value)))
        set(window, 19, &value, sizeof value);
}

// A null name puts the class's own theme back; kNoTheme, which names no class, draws the control
// without one.
constexpr wchar_t kNoTheme[] = L" ";

void SetTheme(HWND control, const wchar_t* name)
{
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (const auto set = SystemFunction<SetWindowThemeFn>("uxtheme.dll", "SetWindowTheme"))
        set(control, name, name == kNoTheme ? kNoTheme : nullptr);
}

void ThemeControl(HWND control, bool dark)
{
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    if (std::strcmp(name, WC_BUTTONA) == 0) {
        const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
        const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ||
                          (GetWindowLongPtrA(control, GWL_STYLE) & BS_PUSHLIKE);
        // A themed check box, radio button or group box draws its text black whatever its parent
        // answers; without a theme it takes the parent's colours.
        SetTheme(control, !dark ? nullptr : push ? L"DarkMode_Explorer" : kNoTheme);
    } else if (std::strcmp(name, WC_LISTVIEWA) == 0) {
        SetTheme(control, dark ? L"DarkMode_Explorer" : nullptr);
        if (const HWND header = ListView_GetHeader(control))
            SetTheme(header, dark ? L"DarkMode_ItemsView" : nullptr);
        const COLORREF back = dark ? kDarkWindow : GetSysColor(COLOR_WINDOW);
        ListView_SetBkColor(control, back);
        ListView_SetTextBkColor(control, back);
        ListView_SetTextColor(control, dark ? kDarkText : GetSysColor(COLOR_WINDOWTEXT));
    } else if (std::strcmp(name, WC_COMBOBOXA) == 0 || std::strcmp(name, WC_EDITA) == 0) {
        SetTheme(control, dark ? L"DarkMode_CFD" : nullptr);
    } else if (std::strcmp(name, WC_SCROLLBARA) == 0 || std::strcmp(name, WC_TREEVIEWA) == 0) {
        SetTheme(control, dark ? L"DarkMode_Explorer" : nullptr);
    } else {
        return;
    }
    AllowDarkWindow(control, dark);
}

} // namespace

void ApplyLookToWindow(HWND window, Look look, bool wasDark)
{
    const bool dark = look == Look::Dark;
    if (!dark && !wasDark)
        return;
    AllowDarkWindow(window, dark);
    SetDarkTitleBar(window, dark);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ThemeControl(child, dark);
    // The frame is drawn again only when told.
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace win32
