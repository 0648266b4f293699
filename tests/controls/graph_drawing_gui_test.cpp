#include <gtest/gtest.h>

#include <algorithm>
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

// What a graph shows on the screen after it has been painted.
std::vector<Colour> ScreenPixels(HWND graph, int width, int height)
{
    UpdateWindow(graph);
    DibCanvas canvas(width, height);
    win32::WindowDc screen(graph);
    BitBlt(canvas.dc(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    std::vector<Colour> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

TEST(GraphDrawing, HiddenGraphsShowWhenShownWhatTheVisibleOnesShow)
{
    ControlHost host(300, 300, WS_POPUP | WS_VISIBLE);
    SetWindowPos(host.hwnd(), HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE); // clear of the tray window
    CHistoryBarGraph memory[2];
    CLineGraph load[2];
    for (int i = 0; i < 2; ++i) {
        const DWORD style = WS_CHILD | (i == 0 ? WS_VISIBLE : 0);
        ASSERT_TRUE(memory[i].Create(style, RECT{10, 10, 114, 94}, host.hwnd(), 5470 + i));
        ASSERT_TRUE(load[i].Create(style, RECT{150, 10, 254, 120}, host.hwnd(), 5480 + i));
        load[i].AddSeries(std::make_unique<CLineGraphSeries>("CPU", Rgb(255, 249, 100), 1, -5, 100));
        memory[i].SetRange(0, 100);
    }
    // More steps than the width holds: the hidden graphs may forget what has scrolled out.
    for (int step = 0; step < 60; ++step) {
        for (int i = 0; i < 2; ++i) {
            memory[i].SetCaption(" USE - " + std::to_string(step) + "% ");
            memory[i].SetCaptionColor(step % 2 ? Rgb(255, 0, 0) : Rgb(19, 238, 255));
            memory[i].SetPos(step * 37 % 101);
            load[i].AddValue(0, step * 53 % 101);
            load[i].Advance();
        }
        UpdateWindow(memory[0].hwnd());
        UpdateWindow(load[0].hwnd());
    }
    ShowWindow(memory[1].hwnd(), SW_SHOWNA);
    ShowWindow(load[1].hwnd(), SW_SHOWNA);
    const auto bars = ScreenPixels(memory[0].hwnd(), 100, 80);
    EXPECT_GT(std::count(bars.begin(), bars.end(), kHistoryBarColour), 200);
    EXPECT_EQ(ScreenPixels(memory[1].hwnd(), 100, 80), bars);
    const auto lines = ScreenPixels(load[0].hwnd(), 100, 106);
    EXPECT_GT(std::count(lines.begin(), lines.end(), Rgb(255, 249, 100)), 50);
    EXPECT_EQ(ScreenPixels(load[1].hwnd(), 100, 106), lines);
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
