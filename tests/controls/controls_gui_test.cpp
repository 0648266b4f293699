// The controls in windows: graphs, the freed-memory chart, the stacked bar, colour labels and the segmented gauge
// painted into bitmaps and read back pixel by pixel, and the link label of the about dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/about_dlg_win.h"
#include "common/resource_text.h"
#include "controls/busy_progress_ctrl_win.h"
#include "controls/color_static_win.h"
#include "controls/freed_chart_ctrl_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "controls/stacked_bar_ctrl_win.h"
#include "controls/link_label_text.h"
#include "controls/link_label_win.h"
#include "resources/resource.h"
#include "support/control_host_win.h"
#include "support/dib_canvas_win.h"
#include "support/message_pump_win.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/screen_reader_win.h"
#include "support/stand_in_shell_win.h"
#include "support/test_paths.h"
#include "version.h"
#include "win32/handles.h"

using namespace controls;
using namespace testing_support;

namespace {

constexpr Colour kLoadColour = Rgb(255, 249, 100);

bool IsBackground(Colour c) { return c == kGraphBackground || c == kHistoryHatchColour; }

TEST(HistoryBarGraph, BarsAndReferenceLines)
{
    ControlHost host(300, 200);
    CHistoryBarGraph graph;
    ASSERT_TRUE(graph.Create(WS_CHILD | WS_VISIBLE, RECT{10, 10, 114, 94}, host.hwnd(), 5470));
    graph.SetRange(0, 100);
    EXPECT_EQ(graph.SetPos(150), 0) << "returns the previous position";
    EXPECT_EQ(graph.SetPos(-20), 100) << "above upper was stored as upper";
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

    // A Chinese caption shows its characters, as many pixels of its colour as the wide API draws
    // for them, not its UTF-8 bytes read as Western letters.
    DibCanvas drawn(100, 16), expected(100, 16);
    win32::UniqueGdi<HFONT> font(CreateFontA(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    HistoryBarTools tools;
    AdvanceHistoryPicture(drawn.dc(), {100, 16, 0, 100, 0, " \u5360\u7528 - 61% ", Rgb(255, 0, 0), font.get()}, tools);
    win32::SelectObjectScope selected(expected.dc(), font.get());
    SetTextColor(expected.dc(), RGB(255, 0, 0));
    TextOutW(expected.dc(), 0, 1, L" \x5360\x7528 - 61% ", 10);
    EXPECT_EQ(drawn.Count(Rgb(255, 0, 0), 0, 16), expected.Count(Rgb(255, 0, 0), 0, 16));
}

// Attached to a placeholder of 701 x 51 pixels: a day is 100 pixels, the newest clean at the right.
TEST(FreedChart, DrawsItsPlanForItsSize)
{
    ControlHost host(720, 80);
    const HWND place = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 701, 51, host.hwnd(), nullptr,
                                       nullptr, nullptr);
    CFreedChart chart;
    ASSERT_TRUE(chart.Attach(place));
    chart.SetPoints({{0, 100}, {302400, 50}}, 7);
    DibCanvas canvas(701, 51);
    PrintClient(chart.hwnd(), canvas);
    const FreedChartColours colours;
    EXPECT_EQ(canvas.At(700, 0), colours.bar) << "the full bar's top";
    EXPECT_EQ(canvas.At(350, 25), colours.bar);
    EXPECT_EQ(canvas.At(350, 24), colours.background) << "above the half bar";
    EXPECT_EQ(canvas.At(600, 10), colours.grid) << "a day back";
    EXPECT_EQ(canvas.At(10, 50), colours.grid) << "the base line";
    EXPECT_EQ(canvas.At(10, 10), colours.background);
    EXPECT_EQ(ScreenReaderView(chart.hwnd()).Role(), ROLE_SYSTEM_GRAPHIC);
}

// A placeholder of 102 x 10 pixels: the frame, and 100 pixels for a whole of 1000.
TEST(StackedBar, DrawsItsPartsInsideItsFrameAndNothingForAnUnknownOne)
{
    ControlHost host(200, 40);
    const HWND place = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 102, 10, host.hwnd(), nullptr,
                                       nullptr, nullptr);
    CStackedBar bar;
    ASSERT_TRUE(bar.Attach(place));
    bar.partColours = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    EXPECT_TRUE(bar.SetParts({300, std::nullopt, 200}, 1000));
    EXPECT_FALSE(bar.SetParts({300, std::nullopt, 200}, 1000)) << "the same parts are not drawn again";
    DibCanvas canvas(102, 10);
    PrintClient(bar.hwnd(), canvas);
    const std::pair<int, Colour> expected[] = {{0, bar.frame},           {1, Rgb(255, 0, 0)},   {30, Rgb(255, 0, 0)},
                                               {31, Rgb(0, 0, 255)},     {50, Rgb(0, 0, 255)}, {51, bar.background},
                                               {101, bar.frame}};
    for (const auto& [x, colour] : expected)
        EXPECT_EQ(canvas.At(x, 5), colour) << x;
    EXPECT_EQ(canvas.At(40, 9), bar.frame);
    EXPECT_EQ(ScreenReaderView(bar.hwnd()).Role(), ROLE_SYSTEM_GRAPHIC);
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
    SendMessageA(window, BPM_SETRANGE, 0, 224);
    gauge.state.direction = -1; // a switch to progress turns it forward: the step below shows it
    SendMessageA(window, BPM_SETMODE, kModeProgress, 0);

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
    EXPECT_TRUE(PumpUntil([&] {
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

std::string TooltipText(const CLinkLabel& link)
{
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = link.hwnd();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(link.Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// Wine shows no per-user classes under HKEY_CLASSES_ROOT, so the association goes there directly.
constexpr const char* kHandlerKey = "TidewellTestPage";

// The association of .htm pages, put back as it was when the test ends.
struct HtmAssociation {
    RegistrySnapshot htm{HKEY_CLASSES_ROOT, ".htm"};
    ~HtmAssociation()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
        htm.Restore();
    }
};

void PlantHtmHandler(const std::string& command)
{
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".htm", "", REG_SZ, kHandlerKey, 17));
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, std::string(kHandlerKey) + "\\shell\\open\\command", "", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size() + 1)));
}

COLORREF LinkColour(const CAboutDlg& dialog, int id)
{
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SendMessageA(dialog.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
    return GetTextColor(dc.get());
}

// The about dialog's links: its version, hover, visit and letting go; then one link fitted, with
// its tooltip and hand, opened through the .htm handler when the shell cannot.
TEST(LinkLabel, AboutLinksHoverOpenAndLetGoAndOpenThroughTheHtmHandler)
{
    HtmAssociation association;
    RecordingHost host;
    std::vector<std::string> opened;
    // What the shell's address handling, started as the user, comes to: no browser opens here.
    LaunchOutcome answer;
    answer.status = LaunchStatus::Started;
    int shown = -1;
    win32::Modeless<CAboutDlg> dialog([&](const std::string& target, int show) {
        opened.push_back(target);
        shown = show;
        return answer;
    });
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(dialog.GetItemText(IDC_STATIC_VERSION), "V" TIDEWELL_VERSION_TEXT);
    EXPECT_EQ(dialog.GetItemText(IDC_LINK_MAIL), UiText("ActiveMail").substr(7)) << "shown without its mailto:";
    EXPECT_EQ(dialog.WebsiteLink().Target(), dialog.GetItemText(IDC_LINK_WEBSITE));
    HWND website = dialog.Item(IDC_LINK_WEBSITE);
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(255, 100, 100)) << "under the mouse";
    SendMessageA(website, WM_MOUSEMOVE, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_WEBSITE), RGB(0, 0, 255));
    HWND mail = dialog.Item(IDC_LINK_MAIL);
    SendMessageA(mail, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(mail, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(mail, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(opened, std::vector<std::string>{UiText("ActiveMail")}) << "the whole target, not what the link shows";
    EXPECT_EQ(GetCapture(), mail) << "without releasing the capture";
    EXPECT_EQ(LinkColour(dialog, IDC_LINK_MAIL), RGB(255, 0, 0)) << "visited";
    ReleaseCapture();

    // The keyboard: Tab from OK comes round to the website link, which shows a focus rectangle;
    // Enter opens it instead of pressing OK, Space too. A screen reader finds a link to its target.
    ShowWindow(dialog.hwnd(), SW_SHOWNA);
    SetFocus(dialog.Item(IDOK));
    const auto press = [&](WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        IsDialogMessageA(dialog.hwnd(), &message);
        UpdateWindow(dialog.hwnd());
        win32::WindowDc dc(website);
        return GetPixel(dc.get(), 0, 0) + GetPixel(dc.get(), 2, 0) * 3; // on the rectangle's dots
    };
    const COLORREF unfocused = press(0);
    EXPECT_NE(press(VK_TAB), unfocused) << "a focus rectangle";
    press(VK_RETURN);
    press(VK_SPACE);
    EXPECT_EQ(std::vector<std::string>(opened.end() - 2, opened.end()),
              std::vector<std::string>(2, dialog.WebsiteLink().Target())) << "OK not pressed";
    const ScreenReaderView view(website);
    EXPECT_EQ(std::pair(view.Role(), view.Text(&IAccessible::get_accValue)),
              std::pair(long{ROLE_SYSTEM_LINK}, dialog.WebsiteLink().Target()));
    EXPECT_EQ(press(VK_TAB), unfocused) << "the rectangle goes with the focus";

    CLinkLabel& link = dialog.WebsiteLink();
    const HWND control = link.hwnd();
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    EXPECT_TRUE(description.lfUnderline);
    SIZE extent{};
    {
        win32::WindowDc dc(control);
        win32::SelectObjectScope select(dc.get(), font);
        const std::string text = dialog.GetItemText(IDC_LINK_WEBSITE);
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT client;
    GetClientRect(control, &client);
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(client.right, extent.cx) << "fitted to the text";
    EXPECT_EQ(client.bottom, extent.cy);
    EXPECT_EQ(TooltipText(link), link.Target());
    link.SetLinkColours(RGB(1, 2, 3), RGB(4, 5, 6), static_cast<COLORREF>(-1));
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(link.TextColour(), GetSysColor(COLOR_HIGHLIGHT)) << "-1 is the highlight colour";
    ReleaseCapture();
    ASSERT_NE(link.Cursor(), nullptr) << "neither the help program's hand nor the system's";
    SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), link.Cursor());

    // No program could start there: the handler's command runs as the user, with the target in
    // place of "%1".
    const StandInShell shell;
    ScratchDir scratch("link_label");
    const std::string marker = scratch.File("marker.txt");
    PlantHtmHandler("cmd.exe /c echo>\"" + marker + "\" \"%1\" dropped-argument");
    answer.status = LaunchStatus::Failed;
    answer.error = ERROR_ACCESS_DENIED;
    link.SetTarget("https://tidewell.example.org/link-target");
    EXPECT_EQ(TooltipText(link), "https://tidewell.example.org/link-target");
    const auto click = [control] {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    };
    click();
    EXPECT_EQ(shown, SW_SHOW);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(link.Visited());
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(marker).find('\n') != std::string::npos; }, 10000));
    const std::string written = ReadWholeFile(marker);
    EXPECT_NE(written.find("https://tidewell.example.org/link-target"), std::string::npos) << written;
    EXPECT_EQ(written.find("dropped-argument"), std::string::npos) << written;

    // A handler that names no program: its failure is told, not the first one's; without a handler
    // the first one's. Anything but a web or mail address is refused before anything starts.
    PlantHtmHandler("Z:\\no\\such\\browser.exe \"%1\"");
    click();
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
    click();
    opened.clear();
    link.SetTarget("file:///C:/windows/system32/cmd.exe");
    click();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(host.boxes.size(), 3u);
    EXPECT_EQ(host.boxes[0].text, HyperlinkErrorMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(host.boxes[1].text, HyperlinkErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ(host.boxes[2].text, UiText("strLinkRefused") + "\n\nfile:///C:/windows/system32/cmd.exe");

    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.WebsiteLink().hwnd(), nullptr) << "the links let go of their controls";
    EXPECT_EQ(dialog.MailLink().Tooltip(), nullptr);
}

} // namespace
