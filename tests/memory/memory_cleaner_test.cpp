#include "memory/memory_cleaner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "memory/clean_state.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(MemoryCleaner, StepCountAndBlockSizesInSixtyFourBits)
{
    EXPECT_EQ(CMemoryCleaner::StepCountFor(74), 6);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(75), 4);
    const struct {
        int eighths;
        uint64_t total, expected;
    } cases[] = {
        {0, 192 * kMB, 0},        {-1, 192 * kMB, 0},       {1, 192 * kMB, 24 * kMB},
        {8, 192 * kMB, 192 * kMB}, {3, 1001, 375},          {7, 1001, 875},
        {4, 2048 * kMB, 1024 * kMB}, // a no-op in 32-bit arithmetic
        {6, 64ull * 1024 * kMB, 48ull * 1024 * kMB},        {8, UINT64_MAX, UINT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMemoryCleaner::BlockBytes(c.eighths, c.total), c.expected)
            << c.eighths << " eighths of " << c.total;
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

TEST(MemoryCleaner, ProgressTextsInSingleSevenths)
{
    const char* const texts[] = {"  0%", " 14%", " 29%", " 43%", " 57%", " 71%", " 86%", "100%"};
    for (int sevenths = 0; sevenths <= 7; ++sevenths)
        EXPECT_EQ(CMemoryCleaner::ProgressText(sevenths), texts[sevenths]);
}

TEST(CleanState, SnapshotsShareTheVirtualFiguresOfTheLastOneTaken)
{
    StoreSnapshot(StatusBefore, MemoryStatus{100, 256, 1900, 2048});
    StoreSnapshot(StatusAfter, MemoryStatus{140, 256, 1800, 2047});
    EXPECT_EQ(StatusBefore.availPhysMB, 100);
    EXPECT_EQ(StatusBefore.availVirtualMB, 1800);
    EXPECT_EQ(StatusBefore.totalVirtualMB, 2047);
    StoreSnapshot(StatusBefore, MemoryStatus{90, 256, 1700, 2046});
    EXPECT_EQ(StatusAfter.availPhysMB, 140);
    EXPECT_EQ(StatusAfter.availVirtualMB, 1700);
    StatusBefore = StatusAfter = {};
}

TEST(CleanState, BusyChangesOnlyUnderTheLockAndOneClaimWins)
{
    using namespace std::chrono_literals;
    const struct {
        bool before;
        void (*write)();
    } writes[] = {{false, [] { ClaimCleanRun(); }}, {true, ResetCleanState}, {true, [] { SetCleanBusy(false); }}};
    for (const auto& w : writes) {
        SetCleanBusy(w.before);
        std::atomic<bool> returned{false};
        std::unique_lock<std::mutex> held(CleanLock);
        std::thread writer([&] {
            w.write();
            returned = true;
        });
        // Without the lock the writer is through in microseconds; with it, it waits for us.
        for (int i = 0; i < 50 && !returned; ++i)
            std::this_thread::sleep_for(1ms);
        EXPECT_FALSE(returned);
        EXPECT_EQ(CleanState.busy, w.before);
        held.unlock();
        writer.join();
        EXPECT_NE(CleanState.busy, w.before);
    }
    EXPECT_TRUE(ClaimCleanRun());
    EXPECT_FALSE(ClaimCleanRun());
    ResetCleanState();
}

} // namespace
