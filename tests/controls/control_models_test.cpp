// The controls' portable logic: the gauge's segments and motions, the graphs' levels and grid, the
// freed-memory chart's bars, the stacked bar's segments, the link's texts and fitted box.
#include <gtest/gtest.h>

#include <vector>

#include "controls/busy_progress_model.h"
#include "controls/freed_chart_model.h"
#include "controls/history_bar_model.h"
#include "controls/line_graph_series.h"
#include "controls/stacked_bar_model.h"
#include "controls/link_label_fit.h"
#include "controls/link_label_text.h"
#include "controls/text_fit.h"

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

// Clamping and heights over 0..100 show in the drawn bars; these do not.
TEST(HistoryBarModel, OffsetAndEmptyRangesAndLargeFigures)
{
    EXPECT_EQ(HistoryBarHeight(300, 200, 400, 100), 50);
    EXPECT_EQ(HistoryBarHeight(5, 5, 5, 80), 0);
    EXPECT_EQ(HistoryBarHeight(3000000, 0, 4000000, 1000), 750) << "no overflow";
}

std::vector<int> Rows(const std::vector<std::vector<int>>& batches)
{
    CLineGraphSeries s("CPU", Rgb(255, 249, 100), 1, -5, 100);
    s.ResetLevel(106);
    std::vector<int> rows;
    for (const auto& batch : batches) {
        for (int v : batch)
            s.AddValue(v);
        const LineStep step = s.Advance(106);
        if (rows.empty())
            rows.push_back(step.fromY);
        rows.push_back(step.toY);
    }
    return rows;
}

// 7 days over 700 pixels: 100 pixels a day, the newest at the right edge.
TEST(FreedChartModel, BarsByAgeAndShareWithDayLinesAndNothingOutsideTheDays)
{
    const std::vector<FreedPoint> points = {{0, 100},      {302400, 50},  {604800, 1}, {604801, 500},
                                            {-5, 500},     {1000, 0},     {2000, -30}};
    const FreedChartPlan plan = PlanFreedChart(points, 701, 51, 7);
    EXPECT_EQ(plan.topMB, 100);
    EXPECT_EQ(plan.dayLines, (std::vector<int>{600, 500, 400, 300, 200, 100}));
    EXPECT_EQ(plan.bars, (std::vector<FreedBar>{{699, 0, 701, 50}, {349, 25, 352, 50}, {0, 49, 2, 50}}));
    const FreedChartPlan none = PlanFreedChart({{10, -3}}, 701, 51, 7);
    EXPECT_TRUE(none.topMB == 0 && none.bars.empty() && none.dayLines.size() == 6);
    EXPECT_TRUE(PlanFreedChart(points, 2, 51, 7).dayLines.empty());
}

TEST(LineGraphSeries, LevelsAveragingAndFlatContinuation)
{
    EXPECT_EQ(Rows({{100}, {0}, {-5}, {50}}), (std::vector<int>{0, 0, 100, 105, 50}));
    EXPECT_EQ(Rows({{20, 40}}), (std::vector<int>{70, 70})) << "20 and 40 draw at the level of 30";
    EXPECT_EQ(Rows({{1, 2}}), (std::vector<int>{99, 99})) << "stored 7 and 8 average to 7";
    EXPECT_EQ(Rows({{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0}}), (std::vector<int>{9, 9}))
        << "more values than one block of ten: 1172 / 12 = 97";
    EXPECT_EQ(Rows({{30}, {}, {}}), (std::vector<int>{70, 70, 70, 70})) << "first segment at its own level, then flat";
    EXPECT_EQ(Rows({{50}, {-5}}), (std::vector<int>{50, 50, 105})) << "lower is a value, not 'nothing added'";
    EXPECT_EQ(Rows({{}, {}}), (std::vector<int>{107, 107, 107})) << "never fed: just below the graph";
}

TEST(LineGraphGrid, PhaseSequenceAndMovingLine)
{
    std::vector<int> phases{13};
    for (int i = 0; i < 7; ++i)
        phases.push_back(NextGridPhase(phases.back()));
    EXPECT_EQ(phases, (std::vector<int>{13, 10, 7, 4, 1, 11, 8, 5}));
    EXPECT_EQ(MovingGridLineX(100, 13), 90);
    EXPECT_EQ(MovingGridLineX(100, 10), 87);
    EXPECT_EQ(MovingGridLineX(100, 7), 97);
}

TEST(TextFit, CutsAtCharacterBoundaries)
{
    EXPECT_EQ(CutUtf8(std::string(62, 'a') + "\xC3\xA9" + "b", 63), std::string(62, 'a')) << "no half of a two-byte character";
    std::string chinese;
    for (int i = 0; i < 30; ++i)
        chinese += "\xE5\x86\x85";
    EXPECT_EQ(CutUtf8(chinese, 63).size(), 63u);
    EXPECT_EQ(CutUtf8(chinese, 31).size(), 30u);
}

TEST(LinkLabelText, ErrorTextsHtmCommandsAndMailLinks)
{
    EXPECT_EQ(HyperlinkErrorMessage(3), "Unable to open hyperlink:\n\nThe specified path was not found.");
    EXPECT_EQ(HyperlinkErrorText(4), "Unknown Error (4) occurred.");
    EXPECT_EQ(HyperlinkErrorText(-1), "Unknown Error (-1) occurred.");
    const struct {
        const char* handler;
        const char* command;
    } rows[] = {
        {R"("C:\Program Files\Browser\browser.exe" -nohome "%1" -extra)",
         R"("C:\Program Files\Browser\browser.exe" -nohome  http://x/)"},
        {R"(browser.exe %1,extra)", R"(browser.exe  http://x/)"},
        {R"(browser.exe -url)", R"(browser.exe -url http://x/)"},
        {R"(b.exe %1 "%1")", R"(b.exe %1  http://x/)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HtmCommandForTarget(row.handler, "http://x/"), row.command) << row.handler;
    EXPECT_EQ(MailLinkText("abc"), "") << "shorter than mailto:";
}

TEST(LinkLabelFit, TheAnchorEdgeStaysAndTheSizeBecomesTheText)
{
    const LinkBox box{10, 20, 110, 40};
    const struct {
        LinkAlign align;
        bool centreVertically;
        LinkBox fitted;
    } rows[] = {
        {LinkAlign::Left, false, {10, 20, 50, 28}},
        {LinkAlign::Right, false, {70, 20, 110, 28}},
        {LinkAlign::Centre, false, {40, 20, 80, 28}},
        {LinkAlign::Left, true, {10, 26, 50, 34}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FitLinkBox(box, 40, 8, row.align, row.centreVertically), row.fitted)
            << static_cast<int>(row.align) << " " << row.centreVertically;
    EXPECT_EQ(FitLinkBox(box, 140, 30, LinkAlign::Centre, true), (LinkBox{-10, 15, 130, 45}));
}

// 100 pixels for a whole of 1000: an unknown part takes no room, a part too small for a pixel none,
// and parts that add up to more than the whole are drawn to their own sum.
TEST(StackedBarModel, SegmentsByShareWithNothingForUnknownParts)
{
    const std::optional<uint64_t> unknown;
    EXPECT_EQ(PlanStackedBar({250, unknown, 4, 500}, 1000, 100),
              (std::vector<StackedSegment>{{0, 25, 0}, {25, 75, 3}}));
    EXPECT_EQ(PlanStackedBar({6, 6}, 1000, 100), (std::vector<StackedSegment>{{0, 1, 0}})) << "edges from the running sum";
    EXPECT_EQ(PlanStackedBar({1500, 500}, 1000, 100), (std::vector<StackedSegment>{{0, 75, 0}, {75, 100, 1}}));
    EXPECT_TRUE(PlanStackedBar({unknown, unknown}, unknown, 100).empty());
    EXPECT_TRUE(PlanStackedBar({unknown}, 1000, 100).empty()) << "a whole with no known part draws nothing";
}

} // namespace
