#include <gtest/gtest.h>

#include <algorithm>

#include "controls/busy_progress_ctrl_win.h"
#include "controls/control_host_win.h"
#include "controls/dib_canvas_win.h"
#include "support/message_pump_win.h"

using testing_support::PumpUntil;

using namespace controls;

namespace {

const BusyProgressColours kGaugeColours{Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(19, 238, 255),
                                        Rgb(19, 238, 255)};

Colour SegmentPixel(const DibCanvas& c, int segment, int dx) { return c.At(11 * segment + dx, 6); }

TEST(BusyProgressDrawing, PartialSegmentInsideItsBorder)
{
    BusyProgressState state(32, 0);
    state.mode = kModeProgress;
    state.upper = 224;
    LayoutSegments(state, 352, 12);
    DibCanvas canvas(352, 12);

    state.position = 32;
    DrawBusyProgress(canvas.dc(), {state, kGaugeColours, 352, 12});
    EXPECT_EQ(SegmentPixel(canvas, 3, 5), Rgb(19, 238, 255));
    EXPECT_EQ(canvas.At(10, 6), kSegmentFieldColour) << "the gap shows the navy field";
    EXPECT_EQ(SegmentPixel(canvas, 4, 0), Rgb(85, 85, 85)) << "border";
    EXPECT_EQ(SegmentPixel(canvas, 4, 1), Rgb(19, 238, 255));
    EXPECT_EQ(SegmentPixel(canvas, 4, 5), Rgb(19, 238, 255));
    EXPECT_EQ(SegmentPixel(canvas, 4, 6), Rgb(85, 85, 85)) << "0.571 of the segment, not more";
    EXPECT_EQ(canvas.At(11 * 4 + 3, 0), Rgb(85, 85, 85)) << "the partial fill stays inside the border";
    EXPECT_EQ(SegmentPixel(canvas, 5, 5), Rgb(85, 85, 85));
}

struct GaugeFixture {
    ControlHost host{400, 100};
    HWND placeholder = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 352, 12, host.hwnd(),
                                       reinterpret_cast<HMENU>(1015), nullptr, nullptr);
    BusyProgressCtrl gauge{32, 0};
    GaugeFixture()
    {
        EXPECT_TRUE(gauge.Attach(host.hwnd(), 1015));
        gauge.colours = kGaugeColours;
    }
    Colour Pixel(int segment, int dx)
    {
        DibCanvas canvas(352, 12);
        PrintClient(gauge.hwnd(), canvas);
        return SegmentPixel(canvas, segment, dx);
    }
};

TEST(BusyProgressCtrl, MessagesSetEverySetting)
{
    GaugeFixture f;
    EXPECT_DOUBLE_EQ(f.gauge.state.segmentWidth, 10.0) << "laid out when attached";
    EXPECT_EQ(SendMessageA(f.gauge.hwnd(), BPM_SETRANGE, 0, 224), 0);
    f.gauge.state.direction = -1;
    SendMessageA(f.gauge.hwnd(), BPM_SETMODE, kModeProgress, 0);
    EXPECT_EQ(f.gauge.state.mode, kModeProgress);
    EXPECT_EQ(f.gauge.state.direction, 1) << "a switch to progress resets the direction";
    SendMessageA(f.gauge.hwnd(), BPM_SETPOS, 224, 0);
    EXPECT_EQ(f.Pixel(31, 5), Rgb(19, 238, 255));
    SendMessageA(f.gauge.hwnd(), BPM_SETCOUNT, 16, 0);
    SendMessageA(f.gauge.hwnd(), BPM_SETGAP, 4, 0);
    EXPECT_DOUBLE_EQ(f.gauge.state.segmentWidth, (352.0 - 64) / 16);
    SendMessageA(f.gauge.hwnd(), BPM_SETINTERVAL, 25, 0);
    EXPECT_EQ(f.gauge.interval, 25u);
    SendMessageA(f.gauge.hwnd(), BPM_STEP, 0, 0);
    EXPECT_EQ(f.gauge.state.position, 225);
    SendMessageA(f.gauge.hwnd(), BPM_START, 0, 0);
    EXPECT_FALSE(f.gauge.IsBusyRunning()) << "no worker outside busy mode";
}

TEST(BusyProgressCtrl, WorkerMovesTheBlockAndStopsWithinTwoIntervals)
{
    GaugeFixture f;
    SendMessageA(f.gauge.hwnd(), BPM_SETCOUNT, 10, 0);
    SendMessageA(f.gauge.hwnd(), BPM_SETINTERVAL, 20, 0);
    SendMessageA(f.gauge.hwnd(), BPM_START, 0, 0);
    ASSERT_TRUE(f.gauge.IsBusyRunning());
    int maxSeen = 0;
    EXPECT_TRUE(PumpUntil([&] {
        maxSeen = std::max(maxSeen, f.gauge.state.position);
        return maxSeen >= 9 && f.gauge.state.position < 9;
    }, 5000));
    EXPECT_LE(maxSeen, 9) << "the block never leaves the track";

    SendMessageA(f.gauge.hwnd(), BPM_STOP, 0, 0);
    EXPECT_FALSE(f.gauge.IsBusyRunning());
    const int stopped = f.gauge.state.position;
    testing_support::PumpMessagesFor(100);
    EXPECT_EQ(f.gauge.state.position, stopped) << "no step after the stop, not even one already queued";

    SendMessageA(f.gauge.hwnd(), BPM_START, 0, 0);
    ASSERT_TRUE(f.gauge.IsBusyRunning());
    f.gauge.state.mode = 3;
    SendMessageA(f.gauge.hwnd(), BPM_SETMODE, kModeProgress, 0);
    EXPECT_FALSE(f.gauge.IsBusyRunning());
    EXPECT_EQ(f.gauge.state.mode, 3);
}

TEST(BusyProgressCtrl, ResizeRelaysAndRedraws)
{
    GaugeFixture f;
    f.gauge.state.mode = kModeProgress;
    f.gauge.state.position = 100;
    EXPECT_EQ(f.Pixel(31, 5), Rgb(19, 238, 255));
    SetWindowPos(f.placeholder, nullptr, 0, 0, 176, 12, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_DOUBLE_EQ(f.gauge.state.segmentWidth, (176.0 - 32) / 32);
    DibCanvas canvas(352, 12);
    canvas.Clear(Rgb(1, 1, 1));
    PrintClient(f.gauge.hwnd(), canvas);
    EXPECT_EQ(canvas.At(172, 6), Rgb(19, 238, 255)) << "the last segment of the narrower gauge";
    EXPECT_EQ(canvas.At(200, 6), Rgb(1, 1, 1)) << "the back buffer follows the new size";
}

} // namespace
