// The least a resident memory monitor can cost: one 500 ms timer that reads the memory status and
// the two kernel counters the load meter needs, and nothing else. Runs until it is ended.
#include <windows.h>

namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

NtQuerySystemInformationFn query;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    BYTE performance[512]; // class 2 refuses less than 312 bytes
    BYTE timeOfDay[32];    // class 3 takes exactly 32
    query(2, performance, sizeof(performance), nullptr);
    query(3, timeOfDay, sizeof(timeOfDay), nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    query = reinterpret_cast<NtQuerySystemInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "NtQuerySystemInformation")));
    if (!query || !SetTimer(nullptr, 0, 500, OnTick))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
