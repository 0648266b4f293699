// A child the process tests start, find and end. A window-subsystem program, so that no console
// host is started for it. It ends by itself after a minute so that a failed test leaves nothing
// running.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Sleep(60000);
    return 0;
}
