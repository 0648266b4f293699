#include <windows.h>

#include <mutex>
#include <utility>

#include "memory/memory_status.h"

namespace {

MemoryFigures SystemMemoryFigures()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    MemoryFigures figures;
    if (!GlobalMemoryStatusEx(&status))
        return figures;
    figures.memoryLoad = status.dwMemoryLoad;
    figures.totalPhys = status.ullTotalPhys;
    figures.availPhys = status.ullAvailPhys;
    figures.totalPageFile = status.ullTotalPageFile;
    figures.availPageFile = status.ullAvailPageFile;
    figures.totalVirtual = status.ullTotalVirtual;
    figures.availVirtual = status.ullAvailVirtual;
    return figures;
}

// The clean-up worker reads the source from its own thread.
std::mutex sourceLock;
MemoryStatusSource source;

} // namespace

MemoryFigures ReadMemoryFigures()
{
    MemoryStatusSource current;
    {
        std::lock_guard<std::mutex> lock(sourceLock);
        current = source;
    }
    return current ? current() : SystemMemoryFigures();
}

void SetMemoryStatusSource(MemoryStatusSource replacement)
{
    std::lock_guard<std::mutex> lock(sourceLock);
    source = std::move(replacement);
}
