#include "app/cleaning/cleaning_rules.h"
#include "app/texts/clock_texts.h"
#include "app/texts/help_file.h"
#include "app/texts/memory_texts.h"
#include "app/main_window/palette.h"
#include "app/texts/processor_texts.h"
#include "app/settings/clean_hotkey.h"
#include "app/settings/program_arguments.h"
#include "app/tray/tooltip_pace.h"
#include "app/tray/tray_figure.h"
#include "app/tray/tray_notification.h"
#include "app/texts/tray_texts.h"
#include "app/main_window/window_geometry.h"
#include "common/spoken_text.h"
#include "controls/contrast.h"
#include "memory/free_memory.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <tuple>
#include <vector>

namespace {

TEST(WindowTexts, EveryLineTheWindowShows)
{
    const auto at = [](int hour, int minute) { return LocalTime{2026, 3, 9, 1, hour, minute, 7}; };
    const struct {
        std::string actual, expected;
    } rows[] = {
        {DateLine(at(0, 10), true, "Mon"), " 03-09-2026  Mon | AM  00:10:07 "},
        {DateLine(at(12, 5), true, "Mon"), " 03-09-2026  Mon | AM  12:05:07 "},
        {DateLine(at(13, 5), true, "Mon"), " 03-09-2026  Mon | PM  01:05:07 "},
        {DateLine(at(13, 5), false, "Mon"), " 03-09-2026  Mon | 13:05:07 "},
        {DateLine(at(9, 0), false, "S"), " 03-09-2026   S | 09:00:07 "},
        {PercentLine(FreeRatio(1, 2) * 100, "free"), " 50% free"},
        {PercentLine(FreeRatio(2, 3) * 100, "x"), " 67% x"},
        {PercentLine(100.0, "free"), "100% free"},
        {PhysicalLine("Total: ", 256, "Free: ", 100), "- Total: 256 MB  Free: 100 MB"},
        {TrayTooltip("CPU", 7, "Memory used", 39), "CPU:7% \nMemory used:61%"},
        {MemoryGraphCaption("占用", 39), " 占用 - 61% "},
        {AmountLabel(8, 250), "248MB"},
        {AxisLabel(250 * 0.25), "62M"},
        {ProcessorNameLine("CPU: ", "Pentium", "x", 2), "- CPU: Pentium x2"},
        {ProcessorClockLine("Clock:", "1400 MHZ"), "- Clock: 1400 MHZ"},
        {ProcessorLoadLine("Load:", 7), "- Load:  7% "},
        {TrimLeadingBlanks("   Intel(R)"), "Intel(R)"},
        {TrimLeadingBlanks("   "), ""},
        // As a screen reader is given them, and the keys that reach the controls.
        {SpokenText(PercentLine(39, "RAM free")), "39% RAM free"},
        {SpokenText(" &Save && close ") + SpokenText("清理(&C)："), "Save & close清理："},
        {MnemonicOf("R&&D &now") + MnemonicOf("清理(&c)") + MnemonicOf("&清理") + MnemonicOf("R&&D"), "NC清"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.actual, row.expected);
}

// The window's scenario walks the question's arming; the tray's busy picture is only seen here.
TEST(WindowRules, EveryChoiceTheWindowLeavesToPortableRules)
{
    const struct {
        const char* text;
        int value;
        bool outOfRange;
    } alerts[] = {{"80", 75, true},  {"0", 1, true},   {"", 1, true},   {"-5", 1, true},
                  {"75", 75, false}, {"1", 1, false}, {"30", 30, false}, {"12abc", 12, false}};
    for (const auto& row : alerts) {
        EXPECT_EQ(ClampAlertValue(row.text).value, row.value) << row.text;
        EXPECT_EQ(ClampAlertValue(row.text).outOfRange, row.outOfRange) << row.text;
    }

    const int positions[] = {1, 2, 4, 6, 8};
    for (int type = 0; type < 5; ++type)
        EXPECT_EQ(SliderPositionForUserType(type), positions[type]) << type;

    const struct {
        const char* argument;
        bool powerOn, uninstall;
    } arguments[] = {{" -PowerOn", true, false}, {"-POWERON", true, false}, {"-other", false, false},
                     {"/Uninstall", false, true}, {"-UNINSTALL", false, true}, {"-uninstall now", false, false}};
    for (const auto& row : arguments) {
        EXPECT_EQ(IsPowerOnArgument(row.argument), row.powerOn) << row.argument;
        EXPECT_EQ(IsUninstallArgument(row.argument), row.uninstall) << row.argument;
    }
    // The removal's: the user's SID where the installer has one, the settings kept unless told.
    const UninstallArguments all = ReadUninstallArguments({"S-1-5-21-1-2-3-1001", "KeepSettings=0"});
    EXPECT_EQ(all.userSid, "S-1-5-21-1-2-3-1001");
    EXPECT_FALSE(all.keepSettings);
    const UninstallArguments none = ReadUninstallArguments({"KeepSettings=1"}); // no SID: [UserSID] was empty
    EXPECT_FALSE(none.userSid);
    EXPECT_TRUE(none.keepSettings);
    EXPECT_TRUE(ReadUninstallArguments({}).keepSettings);

    // The help file the texts name: a plain .chm name beside the program, or the English one.
    EXPECT_EQ(HelpFileName("Kelvane Help zh-CN.CHM"), "Kelvane Help zh-CN.CHM");
    for (const char* refused : {"", "..\\Other.chm", "C:/Other.chm", "Other.chm.exe", ".chm", "Other.chm\n"})
        EXPECT_EQ(HelpFileName(refused), kDefaultHelpFile) << refused;

    const auto identify = [](std::string name, int cache) { return [=] { return IdentifiedCpu{name, cache}; }; };
    EXPECT_EQ(ChooseProcessorName("Intel(R) Celeron(R)", identify("other", 0)), "Intel(R) Celeron(R)") << "as it is";
    EXPECT_EQ(ChooseProcessorName("brand", identify("Intel Pentium III", 128)), "Intel(R) Celeron(TM)(0.13) L2-128KB");
    EXPECT_EQ(ChooseProcessorName("brand", identify("Intel Pentium III", 256)), "Intel Pentium III");

    const struct {
        int avail, total, icon;
        const char* text;
    } pictures[] = {{100, 256, 157, "39"}, {200, 256, 156, "78"}, {40, 256, 158, "15"}, {128, 256, 156, "50"},
                    {64, 256, 157, "25"},  {63, 256, 158, "24"},  {0, 0, 156, "0"},
                    {174, 600, 157, "29"}}; // 28.999... in floating point
    for (const auto& row : pictures) {
        const MemoryStatus status{row.avail, row.total, 0, 0};
        EXPECT_EQ(TrayBaseIcon(status), row.icon) << row.avail;
        EXPECT_EQ(TrayPictureText(status), row.text) << row.avail;
    }

    // The shell's notifications: the newer protocol carries the icon's id in lParam and its place in
    // wParam (its events are the tray window's scenario); the older one the id in wParam, and no
    // keyboard.
    using A = TrayAction;
    const struct {
        bool v4, ours;
        std::uintptr_t w;
        std::intptr_t l;
        A action;
        int x, y;
        bool seen; // the user is at the icon
    } tray[] = {{true, true, 0xFFF60028, 0x0084007B, A::Menu, 40, -10, true},
                {false, true, 0x84, 0x0205, A::Menu, 0, 0, true},
                {false, true, 0x84, 0x0401, A::Ignore, 0, 0, false},
                {false, false, 0x85, 0x0205, A::Ignore, 0, 0, false},
                {true, true, 0, 0x00840200, A::Ignore, 0, 0, true},  // the mouse moves over it
                {true, true, 0, 0x00840406, A::Ignore, 0, 0, true},  // and rests on it
                {true, true, 0, 0x00840407, A::Ignore, 0, 0, false}, // and leaves
                {true, true, 0, 0x00840402, A::Ignore, 0, 0, false}, // a balloon shows
                {true, false, 0, 0x00850200, A::Ignore, 0, 0, false}};
    for (const auto& t : tray) {
        const TrayRequest r = ReadTrayNotification(t.v4, 0x84, t.w, t.l);
        EXPECT_EQ(std::tuple(r.ours, r.action, r.atIcon, r.x, r.y, r.seen),
                  std::tuple(t.ours, t.action, t.v4 && t.action == A::Menu, t.x, t.y, t.seen)) << std::hex << t.l;
    }

    // The tooltip's pace over a day of ticks and across the tick count's wrap: the first change
    // goes, later ones rest five seconds unless the user came to the icon within thirty.
    for (const uint32_t start : {1000u, 0xFFFFF000u}) {
        TooltipPace pace;
        const auto due = [&](uint32_t after) { return pace.Due(start + after); };
        EXPECT_TRUE(due(0));
        pace.Handed(start);
        EXPECT_FALSE(due(4999));
        EXPECT_TRUE(due(5000));
        pace.Looked(start + 6000);
        EXPECT_TRUE(due(6000));
        pace.Handed(start + 6000);
        EXPECT_TRUE(due(6500));
        EXPECT_TRUE(due(35999));
        pace.Handed(start + 35999);
        EXPECT_FALSE(due(36000)) << "the user left thirty seconds ago";
        EXPECT_TRUE(due(40999 + 1000));
    }

    // The right panel starts past the compact window.
    EXPECT_EQ(RightPanelX(Box{0, 0, 577, 560}, Box{0, 0, 285, 560}), 288);
    EXPECT_EQ(RightPanelX(Box{0, 0, 577, 560}, Box{0, 0, 300, 560}), 300);
}

// Under high contrast none of the window's own look is left (the window's scenario sees it come
// back): every colour is one the scheme chose, each text stands on the background the scheme made
// for it.
TEST(WindowPalette, HighContrastTakesTheSystemsColours)
{
    using namespace palette;
    const SystemColours black{Rgb(0, 0, 1), Rgb(255, 255, 254), Rgb(0, 0, 2), Rgb(255, 255, 253), Rgb(26, 235, 255),
                              Rgb(63, 242, 63)};
    const MonitorPalette high = ChooseMonitorPalette(true, true, black);
    const std::set<Colour> scheme{black.window, black.windowText, black.buttonFace, black.buttonText, black.highlight,
                                  black.grayText};
    // Every member before the flag is a colour.
    const auto* colours = reinterpret_cast<const Colour*>(&high);
    for (size_t i = 0; i < offsetof(MonitorPalette, highContrast) / sizeof(Colour); ++i)
        EXPECT_TRUE(scheme.count(colours[i])) << "colour " << i << " is not the scheme's";
    // Each text on its background: the scheme's pairs.
    EXPECT_EQ(std::vector<Colour>({high.title, high.figure, high.line, high.caption, high.panel, high.clockPanel,
                                   high.graphBackground, high.settingsText, high.settings}),
              std::vector<Colour>({black.windowText, black.windowText, black.windowText, black.windowText, black.window,
                                   black.window, black.window, black.buttonText, black.buttonFace}));
    EXPECT_TRUE(high.gaugeLit != high.gaugeUnlit && high.captionAlert != high.caption);
}

// Light and dark: every text reads on what it is drawn on, and dark changes only what surrounds
// the monitor, never a colour that carries a figure.
TEST(WindowPalette, LightAndDarkTextsReadAndKeepTheMonitorsColours)
{
    using namespace palette;
    EXPECT_NEAR(controls::ContrastRatio(kBlack, kWhite), 21.0, 0.01);
    const MonitorPalette light = ChooseMonitorPalette(false, false, {}), dark = ChooseMonitorPalette(false, true, {});
    for (const MonitorPalette& p : {light, dark})
        for (const auto& [text, back] : {std::pair(p.settingsText, p.settings), {p.title, p.panel}, {p.titleCleaning, p.panel},
                                         {p.figure, p.clockPanel}, {p.line, p.panel}, {p.captionAlert, p.graphBackground}})
            EXPECT_GE(controls::ContrastRatio(text, back), controls::kTextContrast) << p.dark << " " << text << " on " << back;
    EXPECT_TRUE(light.settings != dark.settings && light.field != dark.field);
    EXPECT_EQ(std::vector<Colour>({dark.panel, dark.title, dark.gaugeLit, dark.graphBackground, dark.cpuLine, dark.memoryBar}),
              std::vector<Colour>({light.panel, light.title, light.gaugeLit, light.graphBackground, light.cpuLine, light.memoryBar}));
}

// The badges of little, more and most memory in use on a light and a dark taskbar, and under high
// contrast: the figure reads on its badge, a rim only where the badge melts into the taskbar.
TEST(TrayFigure, ReadsOnItsBadgeAndTheBadgeOnTheTaskbar)
{
    using controls::Rgb;
    const controls::Colour green = Rgb(30, 140, 60), amber = Rgb(200, 140, 0), red = Rgb(190, 30, 30);
    const controls::Colour black = Rgb(0, 0, 0), white = Rgb(255, 255, 255);
    const std::tuple<controls::Colour, bool, TrayColours> rows[] = {
        {green, true, {green, black, std::nullopt}}, {green, false, {green, black, std::nullopt}},
        {amber, true, {amber, black, black}},        {amber, false, {amber, black, std::nullopt}},
        {red, true, {red, white, std::nullopt}},     {red, false, {red, white, white}}};
    for (const auto& [badge, lightTaskbar, expected] : rows) {
        EXPECT_EQ(ChooseTrayColours(badge, lightTaskbar, std::nullopt), expected) << badge << " " << lightTaskbar;
        EXPECT_GE(controls::ContrastRatio(expected.figure, badge), controls::kTextContrast);
    }
    const SchemeColours scheme{Rgb(0, 0, 1), Rgb(255, 255, 254)};
    EXPECT_EQ(ChooseTrayColours(red, true, scheme), (TrayColours{scheme.back, scheme.text, scheme.text}));
}

// The hotkey control's value: Shift 1, Ctrl 2, Alt 4 and the extended flag 8 above the key.
TEST(CleanHotkeys, StoredValuesAndTheirText)
{
    EXPECT_EQ(HotkeyFromStored(0x067B), (CleanHotkey{0x7B, 0x0002 | 0x0001, false})); // Ctrl+Alt+F12
    EXPECT_EQ(HotkeyFromStored(0x0541), (CleanHotkey{0x41, 0x0004 | 0x0001, false})); // Shift+Alt+A
    EXPECT_EQ(HotkeyFromStored(0x0A2E), (CleanHotkey{0x2E, 0x0002, true}));          // Ctrl+Delete
    for (const uint32_t none : {0u, 0x0600u, 0x1067Bu})
        EXPECT_EQ(HotkeyFromStored(none), CleanHotkey{}) << none;
    EXPECT_EQ(HotkeyText({"Ctrl", "Alt", "F12"}), "Ctrl + Alt + F12");
}

} // namespace
