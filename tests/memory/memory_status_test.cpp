#include "memory/memory_status.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(MemoryStatus, RoundingAndInstalledSizeSnapping)
{
    const struct {
        uint64_t total, avail;
        int32_t totalMB, availMB;
    } cases[] = {
        {255 * kMB + 3 * 1024, 77 * kMB + 1000, 256, 78}, // odd figures round up to even
        {129 * kMB, 76 * kMB + kMB - 1, 192, 76},         // 130 snaps to the next size
        {30 * kMB, kMB - 1, 32, 0},
        {300 * kMB, 0, 384, 0},
        {510 * kMB, 0, 512, 0},
        {520 * kMB, 0, 520, 0}, // above 512 the even figure stays
        {521 * kMB, 0, 522, 0},
        {64 * 1024 * kMB + kMB, 40 * 1024 * kMB, 65538, 40960}, // far past 32-bit bytes
    };
    for (const auto& c : cases) {
        MemoryFigures figures;
        figures.totalPhys = c.total;
        figures.availPhys = c.avail;
        figures.availVirtual = 1901 * kMB + kMB - 1;
        figures.totalVirtual = 128ull * 1024 * 1024 * kMB;
        const MemoryStatus status = StatusFromFigures(figures);
        EXPECT_EQ(status.totalPhysMB, c.totalMB) << c.total;
        EXPECT_EQ(status.availPhysMB, c.availMB) << c.avail;
        EXPECT_EQ(status.availVirtualMB, 1901);
        EXPECT_EQ(status.totalVirtualMB, 128 * 1024 * 1024);
    }
}

TEST(MemoryStatus, GainIsShownWithoutItsSignInMegabytesAndPages)
{
    const struct {
        int32_t before, after;
        uint32_t pageSize;
        int32_t megabytes;
        uint64_t pages;
    } cases[] = {
        {100, 97, 4096, 3, 768}, // memory fell during the run
        {100, 140, 4096, 40, 10240},
        {50, 50 + 8192, 4096, 8192, 2097152}, // 8 GB: past 32-bit byte arithmetic
        {10, 12, 0, 2, 0},
    };
    for (const auto& c : cases) {
        const CleanGain gain = GainBetween({c.before, 0, 0, 0}, {c.after, 0, 0, 0}, c.pageSize);
        EXPECT_EQ(gain.megabytes, c.megabytes) << c.before << " -> " << c.after;
        EXPECT_EQ(gain.pages, c.pages) << c.before << " -> " << c.after;
    }
}

} // namespace
