#pragma once
// Memory sampling and cleaning: a clean step commits a block of eighths of the installed memory,
// writes every byte and releases it, so the system frees that much physical memory for others.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "memory/memory_status.h"

// Progress runs in sevenths: the gauge's range is 0 to 7 x 32.
constexpr int kCleanGaugeStep = 32;
constexpr int kCleanGaugeMax = 7 * kCleanGaugeStep;
constexpr const char* kCleanDoneText = "100 %";
// A block is zeroed in pieces of this size, so that a stop request is seen between them.
constexpr size_t kZeroChunkBytes = 16u << 20;

class CMemoryCleaner {
public:
    // Platform operations (memory_cleaner_win.cpp).
    static void SampleStatus(MemoryStatus& out);
    // Installed memory in megabytes rounded up to even, not snapped to an installed size.
    static int32_t TotalPhysEvenMB();
    static void RecordBefore();
    static void RecordAfter();
    // One clean step of eighths of the installed memory; a block the system cannot commit is
    // skipped. A set stop flag ends the zeroing between chunks; what was committed is released
    // either way. Memory only: cursors and the clipboard are the caller's.
    static void CleanStep(int eighths, const std::atomic<bool>* stop = nullptr);

    // Pure parts (memory_cleaner.cpp).
    static int StepCountFor(int32_t freePercent);
    // eighths x installed / 8 without overflow; 0 for none or a negative count.
    static uint64_t BlockBytes(int eighths, uint64_t totalPhys);
    // Writes zero into the block chunk by chunk, asking `stopped` before each chunk; returns the
    // bytes written.
    static size_t ZeroInChunks(void* block, size_t bytes, size_t chunkBytes, const std::function<bool()>& stopped);
    // The percentage label after a number of sevenths of a run: " 14%", " 29%" ... "100%".
    static std::string ProgressText(int sevenths);
    static int GaugePosition(int sevenths) { return kCleanGaugeStep * sevenths; }
};
