// Lists the processes through Tool Help and prints the platform it believes it runs on; the
// tests start it with Wine pretending to be Windows 98. Output: "platform N", then "id<TAB>path".
#include <windows.h>

#include <cstdio>

#include "tools/process/process_list_win.h"

int main()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    std::printf("platform %lu\n", version.dwPlatformId);
    CProcessList processes;
    if (!processes.Refresh(true))
        return 1;
    for (int i = 0; i < processes.Count(); ++i)
        std::printf("%lu\t%s\n", static_cast<unsigned long>(processes.ProcessId(i)), processes.ModulePath(i).c_str());
    return 0;
}
