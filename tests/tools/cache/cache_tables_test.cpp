#include "tools/cache/cache_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(CacheTables, SuggestedHardDiskPositionFollowsTheMemorySize)
{
    const struct {
        int megabytes;
        int position;
    } cases[] = {{32, 0}, {64, 1}, {128, 2}, {256, 3}, {192, 1}, {30, 1}, {-2, 1}, {258, 4}, {2147483647, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(cache::HardDiskPositionForMemory(c.megabytes), c.position) << c.megabytes << " MB";
}

TEST(CacheTables, HardDiskLabelsShowMegabytesOfTableH)
{
    const char* labels[] = {"4MB", "8MB", "16MB", "32MB", "64MB"};
    for (int p = 0; p < cache::kHardDiskPositions; ++p)
        EXPECT_EQ(cache::HardDiskLabel(p), labels[p]) << p;
    EXPECT_EQ(cache::kHardDiskCache[4], 65536000u);
}

TEST(CacheTables, CdLabelsDifferOnlyInTheSpaceBeforeKB)
{
    const char* atSetup[] = {"CD/DVD-ROM 228KB", "DVD Play 1792KB", "CD-RW 2144KB", "DVD-RW 4128KB"};
    const char* afterDrag[] = {"CD/DVD-ROM 228 KB", "DVD Play 1792 KB", "CD-RW 2144 KB",
                               "DVD-RW 4128 KB"};
    for (int p = 0; p < cache::kCdPositions; ++p) {
        EXPECT_EQ(cache::CdLabelAtSetup(p), atSetup[p]) << p;
        EXPECT_EQ(cache::CdLabelAfterDrag(p), afterDrag[p]) << p;
    }
    EXPECT_EQ(cache::KilobytesLabel(4128), "4128 KB");
}

TEST(CacheTables, PositionsOutsideTheSlidersAreClamped)
{
    EXPECT_EQ(cache::ClampHardDiskPosition(-1), 0);
    EXPECT_EQ(cache::ClampHardDiskPosition(5), 4);
    EXPECT_EQ(cache::ClampCdPosition(-7), 0);
    EXPECT_EQ(cache::ClampCdPosition(4), 3);
    EXPECT_EQ(cache::HardDiskLabel(99), "64MB");
    EXPECT_EQ(cache::CdLabelAtSetup(-1), "CD/DVD-ROM 228KB");
}

} // namespace
