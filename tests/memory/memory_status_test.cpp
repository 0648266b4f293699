#include "memory/memory_status.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kMB = 1024 * 1024;
constexpr uint64_t kGB = 1024 * kMB;

TEST(MemoryStatus, InstalledMemoryIsRoundedEvenThenSnappedToAnInstalledSize)
{
    const struct {
        uint64_t bytes;
        int32_t expected;
    } cases[] = {
        {255 * kMB + 3 * 1024, 256}, // 255 -> even 256 -> 256
        {129 * kMB, 192},            // 129 -> 130 -> the next size, 192
        {30 * kMB, 32},
        {126 * kMB, 128},
        {200 * kMB, 256},
        {300 * kMB, 384},
        {384 * kMB, 384},
        {510 * kMB, 512},
        {512 * kMB, 512},
        {520 * kMB, 520}, // above 512: even value kept
        {521 * kMB, 522},
        {1022 * kMB, 1022},
        {16 * kGB - kMB, 16384},
        {64 * kGB + kMB, 65538}, // far past 32-bit bytes
    };
    for (const auto& c : cases) {
        MemoryFigures figures;
        figures.totalPhys = c.bytes;
        EXPECT_EQ(StatusFromFigures(figures).totalPhysMB, c.expected) << c.bytes << " bytes";
    }
}

TEST(MemoryStatus, AvailableIsRoundedUpToEvenVirtualIsTruncated)
{
    MemoryFigures figures;
    figures.totalPhys = 8 * kGB;
    figures.availPhys = 77 * kMB + 1000;
    figures.availVirtual = 1901 * kMB + kMB - 1;
    figures.totalVirtual = 128ull * 1024 * kGB; // 128 TB of address space on x64
    MemoryStatus status = StatusFromFigures(figures);
    EXPECT_EQ(status.availPhysMB, 78);
    EXPECT_EQ(status.totalPhysMB, 8192);
    EXPECT_EQ(status.availVirtualMB, 1901);
    EXPECT_EQ(status.totalVirtualMB, 128 * 1024 * 1024);

    figures.availPhys = 76 * kMB + kMB - 1;
    EXPECT_EQ(StatusFromFigures(figures).availPhysMB, 76);
    figures.availPhys = kMB - 1;
    EXPECT_EQ(StatusFromFigures(figures).availPhysMB, 0);
}

TEST(MemoryStatus, FiguresBeyondThirtyTwoBitMegabytesAreClampedNotWrapped)
{
    MemoryFigures figures;
    figures.totalVirtual = UINT64_MAX;
    figures.availPhys = UINT64_MAX;
    const MemoryStatus status = StatusFromFigures(figures);
    EXPECT_GT(status.totalVirtualMB, 0);
    EXPECT_GT(status.availPhysMB, 0);
    EXPECT_EQ(status.availPhysMB % 2, 0);
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
        {100, 100, 4096, 0, 0},
        {50, 50 + 8192, 4096, 8192, 2097152}, // 8 GB: past 32-bit byte arithmetic
        {10, 12, 65536, 2, 32},
        {10, 12, 0, 2, 0},
    };
    for (const auto& c : cases) {
        MemoryStatus before, after;
        before.availPhysMB = c.before;
        after.availPhysMB = c.after;
        const CleanGain gain = GainBetween(before, after, c.pageSize);
        EXPECT_EQ(gain.megabytes, c.megabytes) << c.before << " -> " << c.after;
        EXPECT_EQ(gain.pages, c.pages) << c.before << " -> " << c.after;
    }
}

} // namespace
