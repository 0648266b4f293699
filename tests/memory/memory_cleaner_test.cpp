#include "memory/memory_cleaner.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "memory/clean_state.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(MemoryCleaner, StepCountFollowsTheFreePercentage)
{
    EXPECT_EQ(CMemoryCleaner::StepCountFor(0), 6);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(74), 6);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(75), 4);
    EXPECT_EQ(CMemoryCleaner::StepCountFor(100), 4);
}

TEST(MemoryCleaner, BlockIsEighthsOfInstalledMemoryInSixtyFourBits)
{
    const struct {
        int eighths;
        uint64_t total;
        uint64_t expected;
    } cases[] = {
        {0, 192 * kMB, 0},
        {-1, 192 * kMB, 0},
        {1, 192 * kMB, 24 * kMB},
        {8, 192 * kMB, 192 * kMB},
        {3, 1001, 375}, // (3 x 1001) / 8, truncated
        {7, 1001, 875},
        {8, 1001, 1001},
        {4, 2048 * kMB, 1024 * kMB},           // 2 GB: a no-op in 32-bit arithmetic
        {8, 24ull * 1024 * kMB, 24ull * 1024 * kMB},
        {6, 64ull * 1024 * kMB, 48ull * 1024 * kMB},
        {8, UINT64_MAX, UINT64_MAX}, // no overflow at the edge
        {4, UINT64_MAX, UINT64_MAX / 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMemoryCleaner::BlockBytes(c.eighths, c.total), c.expected)
            << c.eighths << " eighths of " << c.total;
}

TEST(MemoryCleaner, ZeroBlockWritesEveryByteWhateverTheAlignment)
{
    std::vector<unsigned char> buffer(4096 + 16, 0xA5);
    for (size_t offset : {0u, 1u, 3u}) {
        for (size_t length : {0u, 1u, 3u, 4u, 7u, 4096u}) {
            std::fill(buffer.begin(), buffer.end(), 0xA5);
            CMemoryCleaner::ZeroBlock(buffer.data() + offset, length);
            for (size_t i = 0; i < buffer.size(); ++i) {
                const bool inside = i >= offset && i < offset + length;
                ASSERT_EQ(buffer[i], inside ? 0 : 0xA5) << "offset " << offset << " length "
                                                       << length << " byte " << i;
            }
        }
    }
}

TEST(MemoryCleaner, ProgressTextsAndGaugePositionsOfARun)
{
    const char* const texts[] = {"  0%", " 14%", " 29%", " 43%", " 57%", " 71%", " 86%", "100%"};
    for (int sevenths = 0; sevenths <= 7; ++sevenths) {
        EXPECT_EQ(CMemoryCleaner::ProgressText(sevenths), texts[sevenths]);
        EXPECT_EQ(CMemoryCleaner::GaugePosition(sevenths), 32 * sevenths);
    }
    EXPECT_EQ(CMemoryCleaner::GaugePosition(7), kCleanGaugeMax);
    EXPECT_STREQ(kCleanDoneText, "100 %");
}

TEST(CleanState, SnapshotsShareTheVirtualFiguresOfTheLastOneTaken)
{
    StatusBefore = {};
    StatusAfter = {};
    StoreSnapshot(StatusBefore, MemoryStatus{100, 256, 1900, 2048});
    StoreSnapshot(StatusAfter, MemoryStatus{140, 256, 1800, 2047});
    EXPECT_EQ(StatusBefore.availPhysMB, 100);
    EXPECT_EQ(StatusAfter.availPhysMB, 140);
    for (const MemoryStatus* s : {&StatusBefore, &StatusAfter}) {
        EXPECT_EQ(s->availVirtualMB, 1800);
        EXPECT_EQ(s->totalVirtualMB, 2047);
    }
    StoreSnapshot(StatusBefore, MemoryStatus{90, 256, 1700, 2046});
    EXPECT_EQ(StatusAfter.availPhysMB, 140);
    EXPECT_EQ(StatusAfter.availVirtualMB, 1700);
    StatusBefore = {};
    StatusAfter = {};
}

TEST(CleanState, BusyIsSetAndClearedUnderTheLockFromAnyThread)
{
    EXPECT_EQ(CleanState.amountEighths, 7) << "initial organise size";
    SetCleanBusy(true);
    EXPECT_TRUE(CleanState.busy);
    {
        // A writer waits for the lock; readers do not.
        std::unique_lock<std::mutex> held(CleanLock);
        std::thread writer([] { SetCleanBusy(false); });
        EXPECT_TRUE(CleanState.busy);
        held.unlock();
        writer.join();
    }
    EXPECT_FALSE(CleanState.busy);
}

} // namespace
