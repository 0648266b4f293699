#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <optional>
#include <string>

#include "app/main_app_win.h"
#include "win32/system_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    win32::HardenProcess();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // A screen reader reaches the window's controls through COM: the objects they hand out are
    // marshalled from this thread's apartment, which the window's message loop serves.
    const bool apartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::optional<std::string> firstArgument, secondArgument;
    if (__argc > 1 && __argv && __argv[1])
        firstArgument = __argv[1];
    if (__argc > 2 && __argv[2])
        secondArgument = __argv[2];
    CMainApp app;
    app.InitInstance(std::move(firstArgument), std::move(secondArgument));
    if (apartment)
        CoUninitialize();
    return 0;
}
