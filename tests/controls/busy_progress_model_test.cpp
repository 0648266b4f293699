// Segment layout, progress fill and busy motion of the segmented gauge.
#include <gtest/gtest.h>

#include <vector>

#include "controls/busy_progress_model.h"

namespace {

BusyProgressState Gauge(int count, int width, int lower, int upper, int position)
{
    BusyProgressState s(count, 0);
    s.mode = kModeProgress;
    s.lower = lower;
    s.upper = upper;
    s.position = position;
    LayoutSegments(s, width, 10);
    return s;
}

int ActiveCount(const std::vector<SegmentPaint>& plan)
{
    int n = 0;
    for (const auto& s : plan)
        n += s.look == SegmentLook::Active;
    return n;
}

TEST(BusyProgressModel, LayoutSplitsTheWidthMinusGapsEvenly)
{
    BusyProgressState s(32, 0);
    LayoutSegments(s, 352, 9);
    EXPECT_DOUBLE_EQ(s.segmentWidth, 10.0);
    EXPECT_DOUBLE_EQ(s.segmentHeight, 9.0);

    // Fractional widths: edges run in double precision and are truncated when used.
    BusyProgressState odd(3, 0);
    odd.mode = kModeProgress;
    LayoutSegments(odd, 20, 5); // (20 - 3) / 3 = 5.666...
    const auto plan = PlanSegments(odd);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].left, 0);
    EXPECT_EQ(plan[0].right, 5);
    EXPECT_EQ(plan[1].left, 6);  // 6.666
    EXPECT_EQ(plan[1].right, 12); // 12.333
    EXPECT_EQ(plan[2].left, 13); // 13.333
    EXPECT_EQ(plan[2].right, 19);

    BusyProgressState none(0, 0);
    LayoutSegments(none, 100, 10);
    EXPECT_DOUBLE_EQ(none.segmentWidth, 0.0) << "no division by a zero count";
}

TEST(BusyProgressModel, ProgressFillWithPartialSegment)
{
    struct Case {
        int lower, upper, position;
        int active;
        int partialAt; // -1: no partial segment
        int partialWidth;
    };
    const Case cases[] = {
        {0, 224, 32, 4, 4, 5},     // 4.571 segments: four active, 0.571 of the fifth (width 10)
        {0, 224, 224, 32, -1, 0},  // full
        {0, 224, 0, 0, -1, 0},     // empty: a partial width of 0 draws nothing
        {0, 224, 7, 1, -1, 0},     // exactly one segment: no partial
        {0, 224, 300, 32, -1, 0},  // above the range: full, nothing beyond the last segment
        {0, 224, -50, 0, -1, 0},   // below the range: empty
        {100, 324, 132, 4, 4, 5},  // a range not starting at 0 measures from lower
        {50, 50, 50, 0, -1, 0},    // empty range: no bar, no division
    };
    for (const Case& c : cases) {
        const auto plan = PlanSegments(Gauge(32, 352, c.lower, c.upper, c.position));
        SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper << " at " << c.position);
        if (c.lower == c.upper) {
            EXPECT_TRUE(plan.empty());
            continue;
        }
        ASSERT_EQ(plan.size(), 32u);
        EXPECT_EQ(ActiveCount(plan), c.active);
        for (int i = 0; i < 32; ++i) {
            EXPECT_EQ(plan[i].look == SegmentLook::Active, i < c.active) << "segment " << i;
            EXPECT_EQ(plan[i].partialWidth, i == c.partialAt ? c.partialWidth : 0) << "segment " << i;
        }
    }
}

TEST(BusyProgressModel, BusyStyleSingleHighlightsThePosition)
{
    BusyProgressState s(10, 3);
    LayoutSegments(s, 110, 10);
    const auto plan = PlanSegments(s);
    ASSERT_EQ(plan.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(plan[i].look == SegmentLook::Active, i == 3);

    s.busyStyle = kStyleBlock; // track of 50: position 15 lights 3 segments
    s.position = 15;
    EXPECT_EQ(ActiveCount(PlanSegments(s)), 3);
    s.busyStyle = 3;
    EXPECT_TRUE(PlanSegments(s).empty()) << "an unknown style draws the background only";
}

std::vector<int> Positions(BusyProgressState s, int steps)
{
    std::vector<int> seen{s.position};
    for (int i = 0; i < steps; ++i) {
        BusyStep(s);
        seen.push_back(s.position);
    }
    return seen;
}

TEST(BusyProgressModel, BusyMotions)
{
    BusyProgressState bounce(10, 0);
    EXPECT_EQ(Positions(bounce, 20),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2}));

    BusyProgressState forward(10, 0);
    forward.busyMotion = kMotionWrapForward;
    EXPECT_EQ(Positions(forward, 12), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2}));

    BusyProgressState backward(10, 0);
    backward.busyMotion = kMotionWrapBackward;
    ResetBusyProgress(backward);
    EXPECT_EQ(backward.direction, -1);
    EXPECT_EQ(Positions(backward, 12), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 8}));

    // Style 2 runs over the virtual track of count x 5.
    BusyProgressState track(4, 0);
    track.busyStyle = kStyleBlock;
    const auto run = Positions(track, 40);
    EXPECT_EQ(run[19], 19);
    EXPECT_EQ(run[20], 18) << "turns at the end of the 20-long track";
    EXPECT_EQ(run[38], 0);
    EXPECT_EQ(run[39], 1);
    track.busyMotion = kMotionWrapBackward;
    ResetBusyProgress(track);
    EXPECT_EQ(track.position, 20);
}

TEST(BusyProgressModel, ResetAndProgressModeSteps)
{
    BusyProgressState s(10, 7);
    s.direction = -1;
    s.mode = kModeProgress;
    s.busyMotion = kMotionWrapBackward; // ignored outside busy mode
    ResetBusyProgress(s);
    EXPECT_EQ(s.position, 0);
    EXPECT_EQ(s.direction, 1);
    BusyStep(s);
    BusyStep(s);
    EXPECT_EQ(s.position, 2) << "a step outside busy mode only moves by the direction";
}

} // namespace
