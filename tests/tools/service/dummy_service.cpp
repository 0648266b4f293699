// A service the service tests install, start, stop and delete: it reports itself running at once
// and stops when asked. Being the only service of its process, it answers to any name.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
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

void WINAPI ServiceMain(DWORD, char** argv)
{
    g_statusHandle = RegisterServiceCtrlHandlerExA(argv[0], Handler, nullptr);
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
