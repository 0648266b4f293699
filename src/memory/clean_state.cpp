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

void StoreSnapshot(MemoryStatus& snapshot, const MemoryStatus& sample)
{
    snapshot = sample;
    for (MemoryStatus* other : {&StatusBefore, &StatusAfter}) {
        other->availVirtualMB = sample.availVirtualMB;
        other->totalVirtualMB = sample.totalVirtualMB;
    }
}
