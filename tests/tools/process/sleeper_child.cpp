// A child the process tests start, find and end. A window-subsystem program, so that no console
// host is started for it. It ends by itself after a minute so that a failed test leaves nothing
// running. Given a title, it shows a window of that title for five minutes instead: another
// program's window that a test expects to survive.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (!commandLine || !*commandLine) {
        Sleep(60000);
        return 0;
    }
    CreateWindowExA(0, "STATIC", commandLine, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 200, nullptr, nullptr,
                    nullptr, nullptr);
    SetTimer(nullptr, 0, 5 * 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageA(&msg);
    return 0;
}
