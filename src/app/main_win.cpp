#include <windows.h>

// The program's entry; the main window arrives with the application object.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
