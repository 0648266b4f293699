#include <gtest/gtest.h>

#include <vector>

#include "controls/busy_progress_model.h"

using namespace controls;

namespace {

TEST(BusyProgressModel, ProgressFillWithPartialSegmentAndTruncatedEdges)
{
    const struct {
        int lower, upper, position;
        int active, partialAt, partialWidth;
    } rows[] = {
        {0, 224, 32, 4, 4, 5},   {0, 224, 224, 32, -1, 0}, {0, 224, 7, 1, -1, 0},
        {0, 224, 300, 32, -1, 0}, {0, 224, -50, 0, -1, 0}, {100, 324, 132, 4, 4, 5},
    };
    for (const auto& row : rows) {
        BusyProgressState s(32, row.position);
        s.mode = kModeProgress;
        s.lower = row.lower;
        s.upper = row.upper;
        LayoutSegments(s, 352, 10);
        const auto plan = PlanSegments(s);
        ASSERT_EQ(plan.size(), 32u);
        for (int i = 0; i < 32; ++i) {
            EXPECT_EQ(plan[i].look == SegmentLook::Active, i < row.active) << row.position << ", segment " << i;
            EXPECT_EQ(plan[i].partialWidth, i == row.partialAt ? row.partialWidth : 0) << row.position << ", " << i;
        }
    }
    BusyProgressState s(3, 5);
    s.mode = kModeProgress;
    LayoutSegments(s, 20, 5);
    const auto plan = PlanSegments(s);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ((std::vector<int>{plan[0].left, plan[0].right, plan[1].left, plan[1].right, plan[2].left, plan[2].right}),
              (std::vector<int>{0, 5, 6, 12, 13, 19}));
    s.lower = s.upper = 5;
    EXPECT_TRUE(PlanSegments(s).empty()) << "equal lower and upper: no bar, no division";
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
    BusyProgressState forward(10, 0);
    forward.busyMotion = kMotionWrapForward;
    EXPECT_EQ(Positions(forward, 12), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2}));
    BusyProgressState backward(10, 0);
    backward.busyMotion = kMotionWrapBackward;
    ResetBusyProgress(backward);
    EXPECT_EQ(Positions(backward, 12), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 8}));

    BusyProgressState track(4, 0);
    track.busyStyle = kStyleBlock;
    const auto run = Positions(track, 40);
    EXPECT_EQ((std::vector<int>{run[19], run[20], run[38], run[39]}), (std::vector<int>{19, 18, 0, 1}));
    track.position = 10;
    const auto plan = PlanSegments(track);
    EXPECT_EQ(plan[1].look, SegmentLook::Active);
    EXPECT_EQ(plan[2].look, SegmentLook::Normal);
    track.busyMotion = kMotionWrapBackward;
    ResetBusyProgress(track);
    EXPECT_EQ(track.position, 20);

    BusyProgressState progress(10, 7);
    progress.mode = kModeProgress;
    progress.busyMotion = kMotionWrapBackward;
    ResetBusyProgress(progress);
    EXPECT_EQ(Positions(progress, 2), (std::vector<int>{0, 1, 2}));
}

} // namespace
