#pragma once
// The process-wide state of a cleaning run and its before and after snapshots.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "memory/memory_status.h"

struct CleanStateData {
    // Written only under CleanLock; read without it.
    std::atomic<bool> busy{false};
    // Eighths of the next organise step, or the step count of the running clean-up run.
    int32_t amountEighths = 7;
    int32_t tick = 0; // organise countdown
    bool cleanUpRun = false;
};

extern CleanStateData CleanState;
extern std::mutex CleanLock;
// The two snapshots show the same virtual figures: those of whichever was taken last.
extern MemoryStatus StatusBefore;
extern MemoryStatus StatusAfter;

void SetCleanBusy(bool busy);
// Sets busy unless a run already holds it; the test and the set are one step under CleanLock, so
// two starters never both win.
bool ClaimCleanRun();
// Ends a run: busy cleared under CleanLock, the other fields back to zero.
void ResetCleanState();
// Stores a sample in one snapshot and its virtual figures in both.
void StoreSnapshot(MemoryStatus& snapshot, const MemoryStatus& sample);
