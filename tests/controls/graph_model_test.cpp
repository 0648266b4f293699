#include <gtest/gtest.h>

#include <vector>

#include "controls/history_bar_model.h"
#include "controls/line_graph_series.h"
#include "controls/text_fit.h"

using namespace controls;

namespace {

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
    EXPECT_EQ(CutUtf8(std::string(100, 'a'), 63), std::string(63, 'a'));
    EXPECT_EQ(CutUtf8(std::string(62, 'a') + "\xC3\xA9" + "b", 63), std::string(62, 'a')) << "no half of a two-byte character";
    std::string chinese;
    for (int i = 0; i < 30; ++i)
        chinese += "\xE5\x86\x85";
    EXPECT_EQ(CutUtf8(chinese, 63).size(), 63u);
    EXPECT_EQ(CutUtf8(chinese, 31).size(), 30u);
}

} // namespace
