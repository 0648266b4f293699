// Bar heights of the history graph, levels and averaging of the load graph, grid phase.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "controls/history_bar_model.h"
#include "controls/line_graph_series.h"
#include "controls/text_fit.h"

namespace {

TEST(HistoryBarModel, ClampAndBarHeight)
{
    struct Case {
        int value, lower, upper, height;
        int stored, bar;
    };
    const Case cases[] = {
        {50, 0, 100, 80, 50, 40},
        {150, 0, 100, 80, 100, 80},  // above upper: stored as upper, full height
        {-7, 0, 100, 80, 0, 0},      // below lower: stored as lower, no bar
        {33, 0, 100, 80, 33, 26},    // 26.4 rounds toward zero
        {300, 200, 400, 100, 300, 50},
        {5, 5, 5, 80, 5, 0},         // empty range: no bar, no division
        {3000000, 0, 4000000, 1000, 3000000, 750}, // large ranges do not overflow
    };
    for (const Case& c : cases) {
        const int stored = ClampToRange(c.value, c.lower, c.upper);
        EXPECT_EQ(stored, c.stored) << c.value;
        EXPECT_EQ(HistoryBarHeight(stored, c.lower, c.upper, c.height), c.bar) << c.value;
    }
}

// Rows of the segments drawn for each batch of values, one advance per batch.
std::vector<int> Rows(int lower, int upper, int bottom, const std::vector<std::vector<int>>& batches,
                      int* firstFrom = nullptr)
{
    CLineGraphSeries s("CPU", Rgb(255, 249, 100), 1, lower, upper);
    s.ResetLevel(bottom);
    std::vector<int> rows;
    for (const auto& batch : batches) {
        for (int v : batch)
            s.AddValue(v);
        const LineStep step = s.Advance(bottom);
        if (rows.empty() && firstFrom)
            *firstFrom = step.fromY;
        rows.push_back(step.toY);
    }
    return rows;
}

TEST(LineGraphSeries, LevelsOnA106PixelGraph)
{
    EXPECT_EQ(Rows(-5, 100, 106, {{100}, {0}, {-5}, {50}}), (std::vector<int>{0, 100, 105, 50}));
}

TEST(LineGraphSeries, PendingValuesAreAveraged)
{
    EXPECT_EQ(Rows(-5, 100, 106, {{20, 40}}), (std::vector<int>{70})) << "20 and 40 draw at the level of 30";
    EXPECT_EQ(Rows(-5, 100, 106, {{1, 2}}), (std::vector<int>{99})) << "stored 7 and 8 average to 7";
    EXPECT_EQ(Rows(-5, 100, 106, {{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0}}),
              (std::vector<int>{9})) << "more values than one block of ten: 1172 / 12 = 97";
}

TEST(LineGraphSeries, NoValueContinuesFlatAndFirstSegmentStartsAtItsLevel)
{
    int firstFrom = -1;
    EXPECT_EQ(Rows(-5, 100, 106, {{30}, {}, {}}, &firstFrom), (std::vector<int>{70, 70, 70}));
    EXPECT_EQ(firstFrom, 70) << "no jump up from below the graph";

    // A value equal to lower is a real value (stored as 1), not "nothing added".
    EXPECT_EQ(Rows(-5, 100, 106, {{50}, {-5}}), (std::vector<int>{50, 105}));
    // Nothing ever added: the line stays just below the graph.
    EXPECT_EQ(Rows(-5, 100, 106, {{}, {}}), (std::vector<int>{107, 107}));
}

TEST(LineGraphGrid, PhaseSequenceAndMovingLine)
{
    std::vector<int> phases{13};
    for (int i = 0; i < 7; ++i)
        phases.push_back(NextGridPhase(phases.back()));
    EXPECT_EQ(phases, (std::vector<int>{13, 10, 7, 4, 1, 11, 8, 5}));

    // The moving line stays within the last 13 columns and moves 3 pixels left per step
    // (wrapping to keep one line every 13 pixels).
    EXPECT_EQ(MovingGridLineX(100, 13), 100 - (87 % 13 + 1)); // 90
    EXPECT_EQ(MovingGridLineX(100, 10), 87);
    EXPECT_EQ(MovingGridLineX(100, 7), 100 - (93 % 13 + 1)); // 97: wrapped
    for (int phase = 0; phase <= 13; ++phase) {
        const int x = MovingGridLineX(100, phase);
        EXPECT_GE(x, 87);
        EXPECT_LE(x, 99);
    }
}

TEST(TextFit, CutsAtCharacterBoundaries)
{
    EXPECT_EQ(CutUtf8("Tidewell", 63), "Tidewell");
    EXPECT_EQ(CutUtf8(std::string(100, 'a'), 63), std::string(63, 'a'));
    // "é" is two bytes: a cut between them keeps neither half.
    EXPECT_EQ(CutUtf8(std::string(62, 'a') + "\xC3\xA9" + "b", 63), std::string(62, 'a'));
    // Three-byte Chinese characters: 21 of them fill 63 bytes exactly, 10 fit in 31.
    std::string chinese;
    for (int i = 0; i < 30; ++i)
        chinese += "\xE5\x86\x85"; // 内
    EXPECT_EQ(CutUtf8(chinese, 63).size(), 63u);
    EXPECT_EQ(CutUtf8(chinese, 31).size(), 30u);
    EXPECT_EQ(CutUtf8("", 31), "");
}

} // namespace
