// A service the service tests install, start, stop and delete. Started with the argument "now" it
// reports itself running at once, else only after a moment of start pending, so that a start
// that is not waited for shows. It stops when asked. The only service of its process, it needs no name.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwWaitHint = 3000;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*)
{
    if (control == SERVICE_CONTROL_STOP) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stopEvent);
    }
    return NO_ERROR;
}

void WINAPI ServiceMain(DWORD argc, char** argv)
{
    g_statusHandle = RegisterServiceCtrlHandlerExA("", Handler, nullptr);
    if (lstrcmpA(argv[argc - 1], "now") != 0) {
        Report(SERVICE_START_PENDING);
        Sleep(300);
    }
    Report(SERVICE_RUNNING);
    // A stop that never comes (a test that failed half-way) must not leave it forever.
    WaitForSingleObject(g_stopEvent, 10 * 60 * 1000);
    Report(SERVICE_STOPPED);
}

} // namespace

int main()
{
    char name[] = "";
    SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
