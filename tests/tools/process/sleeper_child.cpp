// A child the process tests start, find and end. It ends by itself after a minute so that a
// failed test leaves nothing running.
#include <windows.h>

int main()
{
    Sleep(60000);
    return 0;
}
