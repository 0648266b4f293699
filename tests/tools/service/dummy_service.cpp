// A service the service tests install, start, stop and delete. Usage: dummy_service.exe NAME.
// It reports itself running at once and stops when asked.
#include <windows.h>

namespace {

char g_name[256] = "DummyProbeSvc";
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = nullptr;

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

void WINAPI ServiceMain(DWORD, char**)
{
    g_statusHandle = RegisterServiceCtrlHandlerExA(g_name, Handler, nullptr);
    if (!g_statusHandle)
        return;
    g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Report(SERVICE_RUNNING);
    // A stop that never comes (a test that failed half-way) must not leave it forever.
    WaitForSingleObject(g_stopEvent, 10 * 60 * 1000);
    Report(SERVICE_STOPPED);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        lstrcpynA(g_name, argv[1], sizeof g_name);
    SERVICE_TABLE_ENTRYA table[] = {{g_name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
