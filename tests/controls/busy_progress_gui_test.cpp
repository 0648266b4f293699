#include <gtest/gtest.h>

#include <algorithm>

#include "controls/busy_progress_ctrl_win.h"
#include "controls/control_host_win.h"
#include "controls/dib_canvas_win.h"
#include "support/message_pump_win.h"

using namespace controls;

namespace {

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
