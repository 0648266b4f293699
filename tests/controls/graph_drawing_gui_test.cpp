// The history bar graph, the load graph and the colour label, drawn for real and read back
// pixel by pixel (never by hashing a picture that holds text).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/color_static_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "controls/dib_canvas_win.h"
#include "controls/control_host_win.h"

namespace {

// Client 100 x 80 inside the client edge.
struct HistoryFixture {
    ControlHost host{300, 200};
    CHistoryBarGraph graph;
    RECT client{};
    HistoryFixture()
    {
        EXPECT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 94}, host.hwnd(), 5470));
        GetClientRect(graph.hwnd(), &client);
        graph.SetRange(0, 100);
    }
};

bool IsBackground(Colour c) { return c == kGraphBackground || c == kHistoryHatchColour; }

TEST(HistoryBarGraphDrawing, BarsAboveUpperAndBelowLowerAndReferenceLines)
{
    HistoryFixture f;
    ASSERT_EQ(f.client.right, 100);
    ASSERT_EQ(f.client.bottom, 80);
    EXPECT_EQ(f.graph.SetPos(150), 0) << "returns the previous position";
    EXPECT_EQ(f.graph.GetPos(), 100) << "stored as upper";
    EXPECT_EQ(f.graph.SetPos(-20), 100);
    EXPECT_EQ(f.graph.GetPos(), 0) << "stored as lower";

    DibCanvas canvas(100, 80);
    PrintClient(f.graph.hwnd(), canvas);
    // The full bar has scrolled one step left (x 92, 93); the empty one is at x 96, 97.
    for (int y : {0, 10, 30, 79}) {
        EXPECT_EQ(canvas.At(92, y), kHistoryBarColour) << "full bar, row " << y;
        EXPECT_EQ(canvas.At(93, y), kHistoryBarColour) << "full bar, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(94, y))) << "bars are 2 pixels wide, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(96, y))) << "no bar below lower, row " << y;
    }
    for (const ReferenceLine& line : kHistoryReferenceLines) {
        for (int x : {0, 50, 92, 99})
            EXPECT_EQ(canvas.At(x, line.row), line.colour) << "row " << line.row << " x " << x;
        EXPECT_NE(canvas.At(50, line.row - 1), line.colour);
        EXPECT_NE(canvas.At(50, line.row + 1), line.colour);
    }
    EXPECT_TRUE(IsBackground(canvas.At(50, 30)));
}

TEST(HistoryBarGraphDrawing, BarHeightAndCaption)
{
    HistoryFixture f;
    f.graph.SetCaption(" USE - 50% ");
    f.graph.SetCaptionColor(Rgb(0, 255, 0));
    f.graph.SetPos(50); // 40 of 80 rows

    DibCanvas canvas(100, 80);
    PrintClient(f.graph.hwnd(), canvas);
    EXPECT_EQ(canvas.At(96, 79), kHistoryBarColour);
    EXPECT_EQ(canvas.At(96, 40), kHistoryBarColour) << "top row of the bar";
    EXPECT_TRUE(IsBackground(canvas.At(96, 39))) << "just above the bar";
    EXPECT_GT(canvas.Count(Rgb(0, 255, 0), 0, 16), 5) << "the caption is drawn in its colour at the top";
    EXPECT_EQ(canvas.Count(Rgb(0, 255, 0), 16, 80), 0);
}

TEST(HistoryBarGraphDrawing, EmptyRangeDrawsNoBar)
{
    HistoryFixture f;
    f.graph.SetRange(5, 5);
    f.graph.SetPos(5);
    DibCanvas canvas(100, 80);
    PrintClient(f.graph.hwnd(), canvas);
    EXPECT_EQ(canvas.Count(kHistoryBarColour, 0, 80), 0);
}

// A load graph with a client of 100 x 106 and one series over -5..100.
struct LineFixture {
    ControlHost host{300, 200};
    CLineGraph graph;
    const Colour colour = Rgb(255, 249, 100);
    LineFixture()
    {
        EXPECT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 120}, host.hwnd(), 5469));
        graph.AddSeries(std::make_unique<CLineGraphSeries>("CPU", colour, 1, -5, 100));
    }
    // Rows of the series colour in one column of the picture.
    std::vector<int> RowsAt(int x)
    {
        DibCanvas canvas(100, 106);
        PrintClient(graph.hwnd(), canvas);
        std::vector<int> rows;
        for (int y = 0; y < 106; ++y)
            if (canvas.At(x, y) == colour)
                rows.push_back(y);
        return rows;
    }
};

TEST(LineGraphDrawing, SegmentsAtTheirLevels)
{
    struct Case {
        std::vector<std::vector<int>> batches; // values added before each advance
        int row;                               // row of the newest segment
    };
    const Case cases[] = {
        {{{100}}, 0},
        {{{0}}, 100},
        {{{20, 40}}, 70},     // averaged: the level of 30
        {{{50}, {}, {}}, 50}, // nothing added: continues flat
    };
    for (const Case& c : cases) {
        LineFixture f;
        for (const auto& batch : c.batches) {
            for (int v : batch)
                f.graph.AddValue(0, v);
            f.graph.Advance();
        }
        // The newest segment runs from x 86 to 89 (right - 14 .. right - 11).
        EXPECT_EQ(f.RowsAt(88), (std::vector<int>{c.row})) << "batches: " << c.batches.size();
        EXPECT_EQ(f.RowsAt(95), std::vector<int>{}) << "nothing right of the segment";
    }
}

TEST(LineGraphDrawing, FirstSegmentStartsAtItsOwnLevelAndScrolls)
{
    LineFixture f;
    f.graph.AddValue(0, 50);
    f.graph.Advance();
    EXPECT_EQ(f.RowsAt(86), (std::vector<int>{50})) << "no jump up from the bottom";
    f.graph.AddValue(0, 100);
    f.graph.Advance();
    // The first segment moved 3 pixels left; the second rises from 50 to 0.
    EXPECT_EQ(f.RowsAt(84), (std::vector<int>{50}));
    const auto rising = f.RowsAt(86);
    ASSERT_FALSE(rising.empty());
    EXPECT_EQ(rising.back(), 50) << "the rising segment starts at the previous level";
    EXPECT_GT(rising.size(), 5u) << "and climbs steeply";
    EXPECT_LT(f.RowsAt(88).front(), 20) << "towards row 0 (x 89 is the end point, not drawn)";
}

TEST(LineGraphDrawing, GridAndPhase)
{
    LineFixture f;
    DibCanvas canvas(100, 106);
    PrintClient(f.graph.hwnd(), canvas);
    EXPECT_EQ(canvas.At(12, 50), kGraphGrid) << "vertical grid line at -1 + 13";
    EXPECT_EQ(canvas.At(50, 12), kGraphGrid) << "horizontal grid line at -1 + 13";
    EXPECT_EQ(canvas.At(50, 50), kGraphBackground);
    EXPECT_EQ(f.graph.GridPhase(), 13);
    f.graph.Advance();
    EXPECT_EQ(f.graph.GridPhase(), 10);
    PrintClient(f.graph.hwnd(), canvas);
    EXPECT_EQ(canvas.At(9, 50), kGraphGrid) << "the grid scrolled 3 pixels left";
    EXPECT_EQ(canvas.At(12, 50), kGraphBackground);
}

TEST(GraphPlacement, CreatedOverAPlaceholderControl)
{
    ControlHost host(300, 200);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 20, 30, 100, 80, host.hwnd(), reinterpret_cast<HMENU>(1093), nullptr,
                    nullptr);
    CLineGraph load;
    CHistoryBarGraph memory;
    EXPECT_FALSE(load.CreateOver(host.hwnd(), 4242, 5469)) << "no such placeholder";
    ASSERT_TRUE(load.CreateOver(host.hwnd(), 1093, 5469));
    ASSERT_TRUE(memory.CreateOver(host.hwnd(), 1093, 5470));
    for (HWND graph : {load.hwnd(), memory.hwnd()}) {
        RECT r;
        GetWindowRect(graph, &r);
        MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 20);
        EXPECT_EQ(r.top, 30);
        EXPECT_EQ(r.right, 120);
        EXPECT_EQ(r.bottom, 110);
        EXPECT_EQ(GetParent(graph), host.hwnd());
        EXPECT_TRUE(IsWindowVisible(graph) || !IsWindowVisible(host.hwnd()));
        EXPECT_NE(GetWindowLongA(graph, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    }
    EXPECT_EQ(GetDlgItem(host.hwnd(), 5469), load.hwnd());
}

TEST(ColorStaticDrawing, ColoursFontAndFaceName)
{
    ControlHost host(300, 100);
    CColorStatic label;
    ASSERT_TRUE(label.Create("Memory", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{0, 0, 200, 30}, host.hwnd(), 1020));
    label.SetBkColor(Rgb(0, 0, 90));
    label.SetTextColor(Rgb(19, 238, 255));
    label.SetFontHeight(20);
    EXPECT_EQ(label.FontDescription().lfHeight, -20);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label.hwnd(), WM_GETFONT, 0, 0)), label.Font())
        << "the static paints with the label's font";

    DibCanvas canvas(200, 30);
    canvas.Clear(Rgb(255, 255, 255));
    PrintClient(label.hwnd(), canvas);
    EXPECT_EQ(canvas.At(190, 25), Rgb(0, 0, 90)) << "background brush beside the text";
    EXPECT_GT(canvas.Count(Rgb(19, 238, 255), 0, 30), 10) << "text in the text colour";

    const std::string longName(45, 'F');
    label.SetFontName(longName);
    EXPECT_EQ(std::string(label.FontDescription().lfFaceName), std::string(31, 'F')) << "cut to the field";
    label.SetFontName("Tahoma");
    EXPECT_STREQ(label.FontDescription().lfFaceName, "Tahoma");
    LOGFONTA actual{};
    GetObjectA(label.Font(), sizeof(actual), &actual);
    EXPECT_STREQ(actual.lfFaceName, "Tahoma");
    EXPECT_EQ(actual.lfHeight, -20);

    EXPECT_EQ(CColorStatic::ReflectCtlColor(host.hwnd(), canvas.dc()), nullptr) << "not a colour label";
}

TEST(ColorStaticDrawing, AttachesToADialogControl)
{
    ControlHost host(300, 100);
    HWND placeholder = CreateWindowExA(0, "STATIC", "Free", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host.hwnd(),
                                       reinterpret_cast<HMENU>(1021), nullptr, nullptr);
    CColorStatic label;
    ASSERT_TRUE(label.Attach(host.hwnd(), 1021));
    EXPECT_EQ(label.hwnd(), placeholder);
    EXPECT_FALSE(label.Attach(host.hwnd(), 1021)) << "bound once";
    DestroyWindow(placeholder);
    EXPECT_EQ(label.hwnd(), nullptr) << "the object forgets a window its dialog destroyed";
}

} // namespace
