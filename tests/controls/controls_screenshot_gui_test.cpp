#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "controls/busy_progress_ctrl_win.h"
#include "controls/color_static_win.h"
#include "controls/control_host_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "support/screenshot_win.h"

using namespace controls;

namespace {

const BusyProgressColours kGaugeColours{Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(19, 238, 255),
                                        Rgb(19, 238, 255)};

TEST(ControlsScreenshot, FourControlKinds)
{
    if (!testing_support::ScreenshotsWanted())
        GTEST_SKIP() << "screenshots not asked for";
    ControlHost host(480, 300, WS_POPUP | WS_VISIBLE);
    SetWindowPos(host.hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    CColorStatic title;
    title.Create(" Tidewell controls", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{10, 8, 470, 34}, host.hwnd(), 1);
    title.SetBkColor(Rgb(0, 0, 90));
    title.SetTextColor(Rgb(19, 238, 255));
    title.SetFontName("Tahoma");
    title.SetFontHeight(18);

    CHistoryBarGraph memory;
    ASSERT_TRUE(memory.Create(WS_CHILD | WS_VISIBLE, RECT{10, 44, 234, 158}, host.hwnd(), 5470));
    memory.SetRange(0, 1024);
    for (int i = 0; i < 60; ++i) {
        const int used = 600 + static_cast<int>(250 * std::sin(i / 7.0)) + (i > 50 ? 150 : 0);
        memory.SetCaption(" USE - " + std::to_string(used * 100 / 1024) + "% ");
        memory.SetCaptionColor(used * 100 / 1024 > 85 ? Rgb(255, 0, 0) : Rgb(19, 238, 255));
        memory.SetPos(used);
    }

    CLineGraph load;
    ASSERT_TRUE(load.Create(WS_CHILD | WS_VISIBLE, RECT{246, 44, 470, 158}, host.hwnd(), 5469));
    load.AddSeries(std::make_unique<CLineGraphSeries>("CPU", Rgb(255, 249, 100), 1, -5, 100));
    for (int i = 0; i < 80; ++i) {
        load.AddValue(0, 30 + static_cast<int>(25 * std::sin(i / 5.0)));
        load.AddValue(0, (i * 37) % 60);
        load.Advance();
    }

    CColorStatic labels[4];
    const char* names[4] = {"Physical", "Page file", "Virtual", "Busy"};
    BusyProgressCtrl gauges[4];
    const int positions[3] = {620, 180, 1024};
    for (int i = 0; i < 4; ++i) {
        const int top = 170 + 30 * i;
        labels[i].Create(names[i], WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{10, top, 90, top + 20}, host.hwnd(), 10 + i);
        labels[i].SetBkColor(Rgb(215, 215, 215));
        labels[i].SetTextColor(Rgb(0, 0, 90));
        ASSERT_TRUE(gauges[i].Create(WS_CHILD | WS_VISIBLE, RECT{100, top, 452, top + 14}, host.hwnd(), 1009 + i));
        gauges[i].colours = kGaugeColours;
        gauges[i].state.upper = 1024;
        if (i < 3) {
            gauges[i].state.mode = kModeProgress;
            gauges[i].state.position = positions[i];
        } else {
            gauges[i].colours = BusyProgressColours{Rgb(215, 215, 215)};
            gauges[i].state.busyStyle = kStyleBlock;
            gauges[i].state.position = 70;
        }
        gauges[i].Invalidate();
    }

    EXPECT_TRUE(testing_support::SaveScreenshot(host.hwnd(), "controls"));
}

} // namespace
