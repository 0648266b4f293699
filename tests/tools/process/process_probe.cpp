// Lists the processes through Tool Help and writes the platform it believes it runs on to the
// file named on its command line; the tests start it with Wine pretending to be Windows 98.
// Output: "platform N", then "id<TAB>path" lines. A window-subsystem program: no console host.
#include <windows.h>

#include <cstdio>

#include "tools/process/process_list_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    std::FILE* out = std::fopen(commandLine, "w");
    if (!out)
        return 2;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    std::fprintf(out, "platform %lu\n", version.dwPlatformId);
    CProcessList processes;
    const bool listed = processes.Refresh(true);
    for (int i = 0; i < processes.Count(); ++i)
        std::fprintf(out, "%lu\t%s\n", static_cast<unsigned long>(processes.ProcessId(i)),
                     processes.ModulePath(i).c_str());
    std::fclose(out);
    return listed ? 0 : 1;
}
