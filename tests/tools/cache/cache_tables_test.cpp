#include "tools/cache/cache_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(CacheTables, SuggestedHardDiskPositionFollowsTheMemorySize)
{
    const struct {
        int megabytes, position;
    } cases[] = {{32, 0}, {64, 1}, {128, 2}, {256, 3}, {192, 1}, {30, 1}, {-2, 1}, {258, 4}, {2147483647, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(cache::HardDiskPositionForMemory(c.megabytes), c.position) << c.megabytes << " MB";
}

// Out-of-range positions are clamped as the sliders do.
TEST(CacheTables, LabelsPerPosition)
{
    const struct {
        int position;
        const char *hardDisk, *cdAtSetup, *cdAfterDrag;
    } cases[] = {
        {-1, "4MB", "CD/DVD-ROM 228KB", "CD/DVD-ROM 228 KB"}, {1, "8MB", "DVD Play 1792KB", "DVD Play 1792 KB"},
        {2, "16MB", "CD-RW 2144KB", "CD-RW 2144 KB"},         {3, "32MB", "DVD-RW 4128KB", "DVD-RW 4128 KB"},
        {4, "64MB", "DVD-RW 4128KB", "DVD-RW 4128 KB"},       {99, "64MB", "DVD-RW 4128KB", "DVD-RW 4128 KB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cache::HardDiskLabel(c.position), c.hardDisk) << c.position;
        EXPECT_EQ(cache::CdLabelAtSetup(c.position), c.cdAtSetup) << c.position;
        EXPECT_EQ(cache::CdLabelAfterDrag(c.position), c.cdAfterDrag) << c.position;
    }
    EXPECT_EQ(cache::KilobytesLabel(4128), "4128 KB");
}

} // namespace
