#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/color_static_win.h"
#include "controls/control_host_win.h"
#include "controls/dib_canvas_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"

using namespace controls;

namespace {

bool IsBackground(Colour c) { return c == kGraphBackground || c == kHistoryHatchColour; }

TEST(HistoryBarGraphDrawing, BarsCaptionAndReferenceLines)
{
    ControlHost host(300, 200);
    CHistoryBarGraph graph;
    ASSERT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 94}, host.hwnd(), 5470));
    graph.SetRange(0, 100);
    EXPECT_EQ(graph.SetPos(150), 0) << "returns the previous position";
    EXPECT_EQ(graph.SetPos(-20), 100) << "above upper was stored as upper";
    graph.SetCaption(" USE - 50% ");
    graph.SetCaptionColor(Rgb(0, 255, 0));
    graph.SetPos(50);

    DibCanvas canvas(100, 80);
    PrintClient(graph.hwnd(), canvas);
    for (int y : {0, 30, 79}) {
        EXPECT_EQ(canvas.At(88, y), kHistoryBarColour) << "full bar, row " << y;
        EXPECT_EQ(canvas.At(89, y), kHistoryBarColour) << "full bar, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(90, y))) << "bars are 2 pixels wide, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(92, y))) << "no bar below lower, row " << y;
    }
    EXPECT_EQ(canvas.At(96, 40), kHistoryBarColour) << "top row of the half bar";
    EXPECT_TRUE(IsBackground(canvas.At(96, 39)));
    for (const ReferenceLine& line : kHistoryReferenceLines) {
        for (int x : {0, 99})
            EXPECT_EQ(canvas.At(x, line.row), line.colour) << "row " << line.row << " x " << x;
        EXPECT_NE(canvas.At(50, line.row + 1), line.colour);
    }
    EXPECT_GT(canvas.Count(Rgb(0, 255, 0), 0, 16), 5) << "the caption in its colour at the top";
    EXPECT_EQ(canvas.Count(Rgb(0, 255, 0), 16, 80), 0);
}

std::vector<int> LineRowsAt(int x, const std::vector<std::vector<int>>& batches)
{
    ControlHost host(300, 200);
    CLineGraph graph;
    EXPECT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 120}, host.hwnd(), 5469));
    const Colour colour = Rgb(255, 249, 100);
    graph.AddSeries(std::make_unique<CLineGraphSeries>("CPU", colour, 1, -5, 100));
    for (const auto& batch : batches) {
        for (int v : batch)
            graph.AddValue(0, v);
        graph.Advance();
    }
    DibCanvas canvas(100, 106);
    PrintClient(graph.hwnd(), canvas);
    std::vector<int> rows;
    for (int y = 0; y < 106; ++y)
        if (canvas.At(x, y) == colour)
            rows.push_back(y);
    return rows;
}

TEST(LineGraphDrawing, SegmentsAtTheirLevels)
{
    EXPECT_EQ(LineRowsAt(88, {{100}}), std::vector<int>{0});
    EXPECT_EQ(LineRowsAt(89, {{50}}), std::vector<int>{}) << "nothing right of the segment";
    EXPECT_EQ(LineRowsAt(83, {{50}, {}}), std::vector<int>{50}) << "the older segment scrolled 3 pixels";
}

TEST(LineGraphDrawing, GridAndPhase)
{
    ControlHost host(300, 200);
    CLineGraph graph;
    ASSERT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 120}, host.hwnd(), 5469));
    DibCanvas canvas(100, 106);
    PrintClient(graph.hwnd(), canvas);
    EXPECT_EQ(canvas.At(12, 50), kGraphGrid) << "vertical grid line at -1 + 13";
    EXPECT_EQ(canvas.At(50, 12), kGraphGrid) << "horizontal grid line at -1 + 13";
    EXPECT_EQ(canvas.At(50, 50), kGraphBackground);
    graph.Advance();
    EXPECT_EQ(graph.GridPhase(), 10);
    PrintClient(graph.hwnd(), canvas);
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
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{20, 30, 120, 110}));
    }
    EXPECT_EQ(GetDlgItem(host.hwnd(), 5470), memory.hwnd());
}

TEST(ColorStaticDrawing, ColoursFontAndFaceName)
{
    ControlHost host(300, 100);
    HWND placeholder = CreateWindowExA(0, "STATIC", "Memory", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 200, 30,
                                       host.hwnd(), reinterpret_cast<HMENU>(1020), nullptr, nullptr);
    CColorStatic label;
    ASSERT_TRUE(label.Attach(host.hwnd(), 1020));
    label.SetBkColor(Rgb(0, 0, 90));
    label.SetTextColor(Rgb(19, 238, 255));
    label.SetFontHeight(20);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(placeholder, WM_GETFONT, 0, 0)), label.Font())
        << "the static paints with the label's font";

    DibCanvas canvas(200, 30);
    PrintClient(placeholder, canvas);
    EXPECT_EQ(canvas.At(190, 25), Rgb(0, 0, 90)) << "background brush beside the text";
    EXPECT_GT(canvas.Count(Rgb(19, 238, 255), 0, 30), 10) << "text in the text colour";

    label.SetFontName(std::string(45, 'F'));
    EXPECT_EQ(std::string(label.FontDescription().lfFaceName), std::string(31, 'F')) << "cut to the field";
    label.SetFontName("Tahoma");
    LOGFONTA actual{};
    GetObjectA(label.Font(), sizeof(actual), &actual);
    EXPECT_STREQ(actual.lfFaceName, "Tahoma");
    EXPECT_EQ(actual.lfHeight, -20);
    EXPECT_EQ(CColorStatic::ReflectCtlColor(host.hwnd(), canvas.dc()), nullptr) << "not a colour label";

    DestroyWindow(placeholder);
    EXPECT_EQ(label.hwnd(), nullptr) << "the object forgets a window its dialog destroyed";
}

} // namespace
