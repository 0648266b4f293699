#include "memory/clean_state.h"

CleanStateData CleanState;
std::mutex CleanLock;
MemoryStatus StatusBefore;
MemoryStatus StatusAfter;

void SetCleanBusy(bool busy)
{
    std::lock_guard<std::mutex> lock(CleanLock);
    CleanState.busy = busy;
}

bool ClaimCleanRun()
{
    std::lock_guard<std::mutex> lock(CleanLock);
    if (CleanState.busy)
        return false;
    CleanState.busy = true;
    return true;
}

void ResetCleanState()
{
    std::lock_guard<std::mutex> lock(CleanLock);
    CleanState.busy = false;
    CleanState.amountEighths = 0;
    CleanState.tick = 0;
    CleanState.cleanUpRun = false;
}

void StoreSnapshot(MemoryStatus& snapshot, const MemoryStatus& sample)
{
    snapshot = sample;
    for (MemoryStatus* other : {&StatusBefore, &StatusAfter}) {
        other->availVirtualMB = sample.availVirtualMB;
        other->totalVirtualMB = sample.totalVirtualMB;
    }
}
