#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_app_win.h"
#include "win32/dark_menus.h"
#include "win32/system_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    win32::HardenProcess();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    win32::AllowDarkMenus(); // before the first window, or the tray's menu stays light
    // A screen reader reaches the window's controls through COM: the objects they hand out are
    // marshalled from this thread's apartment, which the window's message loop serves.
    const bool apartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::optional<std::string> firstArgument;
    std::vector<std::string> rest;
    for (int i = 1; __argv && i < __argc && __argv[i]; ++i) {
        if (i == 1)
            firstArgument = __argv[i];
        else
            rest.emplace_back(__argv[i]);
    }
    CMainApp app;
    app.InitInstance(std::move(firstArgument), std::move(rest));
    if (apartment)
        CoUninitialize();
    return 0;
}
