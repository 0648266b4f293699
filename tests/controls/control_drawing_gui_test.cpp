// The drawn controls: graphs, colour labels and the segmented gauge, painted into bitmaps and read
// back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/busy_progress_ctrl_win.h"
#include "controls/color_static_win.h"
#include "controls/control_host_win.h"
#include "controls/dib_canvas_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "support/message_pump_win.h"

using namespace controls;

namespace {

constexpr Colour kLoadColour = Rgb(255, 249, 100);

bool IsBackground(Colour c) { return c == kGraphBackground || c == kHistoryHatchColour; }

TEST(HistoryBarGraph, BarsCaptionAndReferenceLines)
{
    ControlHost host(300, 200);
    CHistoryBarGraph graph;
    ASSERT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 94}, host.hwnd(), 5470));
    graph.SetRange(0, 100);
    EXPECT_EQ(graph.SetPos(150), 0) << "returns the previous position";
    EXPECT_EQ(graph.SetPos(-20), 100) << "above upper was stored as upper";
    graph.SetCaption(" USE - 50% ");
    graph.SetCaptionColor(Rgb(0, 255, 0));
    EXPECT_EQ(graph.SetPos(50), 0) << "below lower was stored as lower";

    DibCanvas canvas(100, 80);
    PrintClient(graph.hwnd(), canvas);
    for (int y : {0, 79}) {
        EXPECT_EQ(canvas.At(89, y), kHistoryBarColour) << "full bar, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(90, y))) << "bars are 2 pixels wide, row " << y;
        EXPECT_TRUE(IsBackground(canvas.At(92, y))) << "no bar below lower, row " << y;
    }
    EXPECT_EQ(canvas.At(96, 40), kHistoryBarColour) << "top row of the half bar";
    EXPECT_TRUE(IsBackground(canvas.At(96, 39)));
    for (const ReferenceLine& line : kHistoryReferenceLines) {
        EXPECT_EQ(canvas.At(0, line.row), line.colour) << "row " << line.row;
        EXPECT_NE(canvas.At(50, line.row + 1), line.colour);
    }
    EXPECT_GT(canvas.Count(Rgb(0, 255, 0), 0, 16), 5) << "the caption in its colour at the top";
    EXPECT_EQ(canvas.Count(Rgb(0, 255, 0), 16, 80), 0);
}

TEST(LineGraph, GridPhaseAndSegmentsAtTheirLevels)
{
    ControlHost host(300, 200);
    CLineGraph graph;
    ASSERT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 120}, host.hwnd(), 5469));
    graph.AddSeries(std::make_unique<CLineGraphSeries>("CPU", kLoadColour, 1, -5, 100));
    graph.AddValue(0, 50);
    graph.Advance();
    graph.Advance(); // nothing added: flat on
    graph.AddValue(0, 100);
    graph.Advance();
    EXPECT_EQ(graph.GridPhase(), 4);
    DibCanvas canvas(100, 106);
    PrintClient(graph.hwnd(), canvas);
    EXPECT_EQ(canvas.At(3, 50), kGraphGrid) << "vertical grid line at -1 + 13, scrolled 3 pixels a step";
    EXPECT_EQ(canvas.At(50, 12), kGraphGrid) << "horizontal grid line at -1 + 13";
    EXPECT_EQ(canvas.At(12, 50), kGraphBackground);
    const auto rowsAt = [&canvas](int x) {
        std::vector<int> rows;
        for (int y = 0; y < 106; ++y)
            if (canvas.At(x, y) == kLoadColour)
                rows.push_back(y);
        return rows;
    };
    EXPECT_EQ(rowsAt(81), std::vector<int>{50}) << "the oldest segment, scrolled";
    ASSERT_FALSE(rowsAt(86).empty());
    EXPECT_EQ(rowsAt(86).back(), 50) << "the newest segment starts where the last one ended";
    ASSERT_FALSE(rowsAt(88).empty());
    EXPECT_LT(rowsAt(88).back(), 25) << "and rises to the top";
    EXPECT_EQ(rowsAt(90), std::vector<int>{}) << "nothing right of the newest segment";
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

TEST(GraphWindow, OverPlaceholdersHiddenGraphsShowWhatTheVisibleOnesShow)
{
    // Clear of the tray window; shown unactivated, so that Wine does not wait for it to close.
    ControlHost host(300, 300);
    SetWindowPos(host.hwnd(), HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 10, 10, 104, 84, host.hwnd(), reinterpret_cast<HMENU>(1093), nullptr,
                    nullptr);
    CHistoryBarGraph memory[2];
    CLineGraph load[2];
    EXPECT_FALSE(memory[0].CreateOver(host.hwnd(), 4242, 5470)) << "no such placeholder";
    ASSERT_TRUE(memory[0].CreateOver(host.hwnd(), 1093, 5470));
    EXPECT_EQ(GetDlgItem(host.hwnd(), 5470), memory[0].hwnd());
    RECT placed{};
    GetWindowRect(memory[0].hwnd(), &placed);
    MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ((std::vector<LONG>{placed.left, placed.top, placed.right, placed.bottom}),
              (std::vector<LONG>{10, 10, 114, 94}));
    ASSERT_TRUE(memory[1].Create(WS_CHILD, RECT{10, 10, 114, 94}, host.hwnd(), 5471));
    for (int i = 0; i < 2; ++i) {
        const DWORD style = WS_CHILD | (i == 0 ? WS_VISIBLE : 0);
        ASSERT_TRUE(load[i].Create(style, RECT{150, 10, 254, 120}, host.hwnd(), 5480 + i));
        load[i].AddSeries(std::make_unique<CLineGraphSeries>("CPU", kLoadColour, 1, -5, 100));
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
    EXPECT_GT(std::count(lines.begin(), lines.end(), kLoadColour), 50);
    EXPECT_EQ(ScreenPixels(load[1].hwnd(), 100, 106), lines);
}

TEST(ColorStatic, ColoursFontAndFaceName)
{
    ControlHost host(300, 100);
    HWND placeholder = CreateWindowExA(0, "STATIC", "Memory", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 200, 30,
                                       host.hwnd(), reinterpret_cast<HMENU>(1020), nullptr, nullptr);
    CColorStatic label;
    ASSERT_TRUE(label.Attach(host.hwnd(), 1020));
    label.SetBkColor(Rgb(0, 0, 90));
    label.SetTextColor(Rgb(19, 238, 255));
    label.SetFontName(std::string(45, 'F'));
    EXPECT_EQ(std::string(label.FontDescription().lfFaceName), std::string(31, 'F')) << "cut to the field";
    label.SetFontName("Tahoma");
    LOGFONTA actual{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(placeholder, WM_GETFONT, 0, 0)), sizeof(actual), &actual);
    EXPECT_STREQ(actual.lfFaceName, "Tahoma") << "the static paints with the label's font";

    DibCanvas canvas(200, 30);
    PrintClient(placeholder, canvas);
    EXPECT_EQ(canvas.At(190, 25), Rgb(0, 0, 90)) << "background brush beside the text";
    EXPECT_GT(canvas.Count(Rgb(19, 238, 255), 0, 30), 10) << "text in the text colour";
    EXPECT_EQ(CColorStatic::ReflectCtlColor(host.hwnd(), canvas.dc()), nullptr) << "not a colour label";
    DestroyWindow(placeholder);
    EXPECT_EQ(label.hwnd(), nullptr) << "the object forgets a window its dialog destroyed";
}

TEST(BusyProgressCtrl, MessagesDrawingResizeAndTheBusyWorker)
{
    const Colour border = Rgb(85, 85, 85), active = Rgb(19, 238, 255);
    ControlHost host(400, 100);
    HWND placeholder = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 352, 12, host.hwnd(),
                                       reinterpret_cast<HMENU>(1015), nullptr, nullptr);
    BusyProgressCtrl gauge(32, 0);
    ASSERT_TRUE(gauge.Attach(host.hwnd(), 1015));
    gauge.colours = {border, border, border, active, active};
    const HWND window = gauge.hwnd();
    EXPECT_DOUBLE_EQ(gauge.state.segmentWidth, 10.0) << "laid out when attached";
    SendMessageA(window, BPM_SETRANGE, 0, 224);
    gauge.state.direction = -1;
    SendMessageA(window, BPM_SETMODE, kModeProgress, 0);
    EXPECT_EQ(gauge.state.mode, kModeProgress);
    EXPECT_EQ(gauge.state.direction, 1) << "a switch to progress resets the direction";

    // 32 of 224: four segments, then 0.571 of the fifth inside its border.
    SendMessageA(window, BPM_SETPOS, 32, 0);
    DibCanvas canvas(352, 12);
    PrintClient(window, canvas);
    EXPECT_EQ(canvas.At(11 * 3 + 5, 6), active);
    EXPECT_EQ(canvas.At(10, 6), kSegmentFieldColour) << "the gap shows the navy field";
    EXPECT_EQ(canvas.At(11 * 4, 6), border);
    EXPECT_EQ(canvas.At(11 * 4 + 1, 6), active);
    EXPECT_EQ(canvas.At(11 * 4 + 5, 6), active);
    EXPECT_EQ(canvas.At(11 * 4 + 6, 6), border) << "0.571 of the segment, not more";
    EXPECT_EQ(canvas.At(11 * 4 + 3, 0), border) << "the partial fill stays inside the border";
    EXPECT_EQ(canvas.At(11 * 5 + 5, 6), border);

    SendMessageA(window, BPM_SETPOS, 224, 0);
    SetWindowPos(placeholder, nullptr, 0, 0, 176, 12, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_DOUBLE_EQ(gauge.state.segmentWidth, (176.0 - 32) / 32);
    canvas.Clear(Rgb(1, 1, 1));
    PrintClient(window, canvas);
    EXPECT_EQ(canvas.At(172, 6), active) << "the last segment of the narrower gauge";
    EXPECT_EQ(canvas.At(200, 6), Rgb(1, 1, 1)) << "the back buffer follows the new size";

    SendMessageA(window, BPM_SETCOUNT, 16, 0);
    SendMessageA(window, BPM_SETGAP, 4, 0);
    EXPECT_DOUBLE_EQ(gauge.state.segmentWidth, (176.0 - 64) / 16);
    SendMessageA(window, BPM_STEP, 0, 0);
    EXPECT_EQ(gauge.state.position, 225);
    SendMessageA(window, BPM_START, 0, 0);
    EXPECT_FALSE(gauge.IsBusyRunning()) << "no worker outside busy mode";

    SendMessageA(window, BPM_SETMODE, kModeBusy, 0);
    SendMessageA(window, BPM_SETCOUNT, 10, 0);
    SendMessageA(window, BPM_SETINTERVAL, 20, 0);
    gauge.Reset();
    SendMessageA(window, BPM_START, 0, 0);
    ASSERT_TRUE(gauge.IsBusyRunning());
    int maxSeen = 0;
    EXPECT_TRUE(testing_support::PumpUntil([&] {
        maxSeen = std::max(maxSeen, gauge.state.position);
        return maxSeen >= 9 && gauge.state.position < 9;
    }, 5000));
    EXPECT_LE(maxSeen, 9) << "the block never leaves the track";

    // A step already waiting in the queue when the stop comes is dropped.
    MSG msg;
    for (int i = 0; i < 5000 && !PeekMessageA(&msg, window, BPM_STEP, BPM_STEP, PM_NOREMOVE); ++i)
        Sleep(1);
    ASSERT_TRUE(PeekMessageA(&msg, window, BPM_STEP, BPM_STEP, PM_NOREMOVE));
    SendMessageA(window, BPM_STOP, 0, 0);
    EXPECT_FALSE(gauge.IsBusyRunning());
    const int stopped = gauge.state.position;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(gauge.state.position, stopped);

    SendMessageA(window, BPM_START, 0, 0);
    ASSERT_TRUE(gauge.IsBusyRunning());
    gauge.state.mode = 3;
    SendMessageA(window, BPM_SETMODE, kModeProgress, 0);
    EXPECT_FALSE(gauge.IsBusyRunning());
    EXPECT_EQ(gauge.state.mode, 3) << "an unknown mode is kept";
}

} // namespace
