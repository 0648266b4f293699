// The whole-megabyte status, the clean step's arithmetic and the run's shared state.
#include "memory/memory_cleaner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <vector>

#include "memory/clean_state.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(MemoryStatus, RoundingSnappingAndSixtyFourBitFigures)
{
    const struct {
        uint64_t total, avail;
        int32_t totalMB, availMB;
    } rows[] = {
        {255 * kMB + 3 * 1024, 77 * kMB + 1000, 256, 78}, // odd figures round up to even
        {129 * kMB, 76 * kMB + kMB - 1, 192, 76},         // 130 snaps to the next size
        {30 * kMB, kMB - 1, 32, 0},
        {510 * kMB, 0, 512, 0},
        {521 * kMB, 0, 522, 0},                                 // above 512 the even figure stays
        {64 * 1024 * kMB + kMB, 40 * 1024 * kMB, 65538, 40960}, // far past 32-bit bytes
    };
    for (const auto& row : rows) {
        MemoryFigures figures;
        figures.totalPhys = row.total;
        figures.availPhys = row.avail;
        figures.availVirtual = 1901 * kMB + kMB - 1;
        figures.totalVirtual = 128ull * 1024 * 1024 * kMB;
        const MemoryStatus status = StatusFromFigures(figures);
        EXPECT_EQ(status.totalPhysMB, row.totalMB) << row.total;
        EXPECT_EQ(status.availPhysMB, row.availMB) << row.avail;
        EXPECT_EQ(status.availVirtualMB, 1901);
        EXPECT_EQ(status.totalVirtualMB, 128 * 1024 * 1024);
    }
    EXPECT_EQ(GainBetween({10, 0, 0, 0}, {12, 0, 0, 0}, 0).pages, 0u) << "no page size, no pages";
}

TEST(MemoryCleaner, StepCountBlockSizesInSixtyFourBitsAndProgressTexts)
{
    EXPECT_EQ(CMemoryCleaner::StepCountFor(74), 6);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(75), 4);
    const struct {
        int eighths;
        uint64_t total, expected;
    } rows[] = {
        {0, 192 * kMB, 0},           {-1, 192 * kMB, 0},  {1, 192 * kMB, 24 * kMB}, {3, 1001, 375},
        {4, 2048 * kMB, 1024 * kMB}, // a no-op in 32-bit arithmetic
        {6, 64ull * 1024 * kMB, 48ull * 1024 * kMB}, {8, UINT64_MAX, UINT64_MAX},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CMemoryCleaner::BlockBytes(row.eighths, row.total), row.expected)
            << row.eighths << " eighths of " << row.total;
    std::string texts;
    for (int sevenths = 0; sevenths <= 7; ++sevenths)
        texts += CMemoryCleaner::ProgressText(sevenths) + "|";
    EXPECT_EQ(texts, "  0%| 14%| 29%| 43%| 57%| 71%| 86%|100%|");
}

TEST(MemoryCleaner, ZeroingAsksForAStopBeforeEachChunk)
{
    std::vector<unsigned char> block(10, 0xFF);
    int asked = 0;
    EXPECT_EQ(CMemoryCleaner::ZeroInChunks(block.data(), block.size(), 4, [&] { return ++asked > 2; }), 8u);
    EXPECT_EQ(block, (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(CMemoryCleaner::ZeroInChunks(block.data(), block.size(), 4, [] { return false; }), 10u);
    EXPECT_EQ(block, std::vector<unsigned char>(10, 0));
}

TEST(CleanState, SnapshotsShareVirtualFiguresAndBusyChangesOnlyUnderTheLock)
{
    StoreSnapshot(StatusBefore, MemoryStatus{100, 256, 1900, 2048});
    StoreSnapshot(StatusAfter, MemoryStatus{140, 256, 1800, 2047});
    EXPECT_EQ(StatusBefore.availPhysMB, 100);
    EXPECT_EQ(StatusBefore.availVirtualMB, 1800) << "the virtual figures of the last one taken";
    EXPECT_EQ(StatusBefore.totalVirtualMB, 2047);
    StatusBefore = StatusAfter = {};

    // Every write of busy waits for CleanLock: without it the writer is through in microseconds.
    for (void (*write)() : {+[] { ClaimCleanRun(); }, +[] { SetCleanBusy(true); }, +[] { ResetCleanState(); }}) {
        std::unique_lock<std::mutex> held(CleanLock);
        std::future<void> done = std::async(std::launch::async, write);
        EXPECT_EQ(done.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        held.unlock();
        done.get();
    }
    EXPECT_TRUE(ClaimCleanRun());
    EXPECT_FALSE(ClaimCleanRun());
    ResetCleanState();
}

} // namespace
