#include "app/main_dlg_arguments.h"
#include "app/main_dlg_auto_clean.h"
#include "app/main_dlg_dates.h"
#include "app/main_dlg_geometry.h"
#include "app/main_dlg_memory_lines.h"
#include "app/main_dlg_processor_lines.h"
#include "app/main_dlg_tray_text.h"

#include <gtest/gtest.h>

namespace {

LocalTime At(int hour, int minute, int second = 7)
{
    LocalTime t;
    t.year = 2026;
    t.month = 3;
    t.day = 9;
    t.dayOfWeek = 1;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

TEST(MainDlgClock, DateLineInBothForms)
{
    struct Case {
        int hour, minute;
        bool twelve;
        const char* expected;
    } cases[] = {
        {0, 10, true, " 03-09-2026  Mon | AM  00:10:07 "},
        {12, 5, true, " 03-09-2026  Mon | AM  12:05:07 "},
        {13, 5, true, " 03-09-2026  Mon | PM  01:05:07 "},
        {23, 59, true, " 03-09-2026  Mon | PM  11:59:07 "},
        {13, 5, false, " 03-09-2026  Mon | 13:05:07 "},
        {0, 10, false, " 03-09-2026  Mon | 00:10:07 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateLine(At(c.hour, c.minute), c.twelve, "Mon"), c.expected) << c.hour << ":" << c.minute;
    // A one-letter weekday is padded to two.
    EXPECT_EQ(DateLine(At(9, 0, 0), false, "S"), " 03-09-2026   S | 09:00:00 ");
}

TEST(MainDlgFigures, PercentLinesAndZeroTotals)
{
    EXPECT_EQ(PercentLine(FreeRatio(1, 2) * 100, "free"), " 50% free");
    EXPECT_EQ(PercentLine(100.0, "free"), "100% free");
    EXPECT_EQ(PercentLine(FreeRatio(2, 3) * 100, "x"), " 67% x");
    // A machine without a page file: 0, not a division by zero.
    EXPECT_EQ(FreeRatio(0, 0), 0.0);
    EXPECT_EQ(PercentLine(FreeRatio(123, 0) * 100, "page"), "  0% page");
    EXPECT_EQ(PhysicalFreePercent(MemoryStatus{0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(PhysicalFreePercent(MemoryStatus{64, 256, 0, 0}), 25.0);
    EXPECT_EQ(PhysicalLine("Total: ", 256, "Free: ", 100), "- Total: 256 MB  Free: 100 MB");
}

TEST(MainDlgFigures, TooltipCaptionAndAlertColour)
{
    EXPECT_EQ(TrayTooltip("CPU", 7, "Memory used", 39), "CPU:7% \nMemory used:61%");
    EXPECT_EQ(MemoryGraphCaption(39), " USE - 61% ");
    EXPECT_TRUE(MemoryAtAlert(20, "20"));
    EXPECT_FALSE(MemoryAtAlert(21, "20"));
    EXPECT_TRUE(MemoryAtAlert(0, "junk")) << "an unreadable value counts as 0";
}

TEST(MainDlgFigures, LabelsTruncateToWholeMegabytes)
{
    EXPECT_EQ(AmountLabel(8, 250), "248MB");
    EXPECT_EQ(AxisLabel(250 * 0.25), "62M");
}

TEST(MainDlgFigures, AlertValueClamp)
{
    struct Case {
        const char* text;
        int value;
        bool outOfRange;
    } cases[] = {{"80", 75, true}, {"0", 1, true}, {"", 1, true}, {"-5", 1, true},
                 {"75", 75, false}, {"1", 1, false}, {"30", 30, false}, {"12abc", 12, false}};
    for (const Case& c : cases) {
        const AlertValue v = ClampAlertValue(c.text);
        EXPECT_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(v.outOfRange, c.outOfRange) << c.text;
    }
}

TEST(MainDlgProcessor, LinesAndNameChoice)
{
    EXPECT_EQ(ProcessorNameLine("CPU: ", "Pentium", "x", 2), "- CPU: Pentium x2");
    EXPECT_EQ(ProcessorClockLine("Clock:", "1400 MHZ"), "- Clock: 1400 MHZ");
    EXPECT_EQ(ProcessorLoadLine("Load:", 7), "- Load:  7% ");
    EXPECT_EQ(TrimLeadingBlanks("   Intel(R)"), "Intel(R)");
    EXPECT_EQ(TrimLeadingBlanks("   "), "");

    int identified = 0;
    const auto identify = [&](std::string name, int cache) {
        return [&identified, name, cache] {
            ++identified;
            return IdentifiedCpu{name, cache};
        };
    };
    EXPECT_EQ(ChooseProcessorName("Intel(R) Celeron(R)", identify("other", 0)), "Intel(R) Celeron(R)");
    EXPECT_EQ(identified, 0) << "a Celeron brand name is shown as it is, without identifying";
    EXPECT_EQ(ChooseProcessorName("brand", identify("Intel Pentium III", 128)), "Intel(R) Celeron(TM)(0.13) L2-128KB");
    EXPECT_EQ(ChooseProcessorName("brand", identify("Intel Pentium III", 256)), "Intel Pentium III");
    EXPECT_EQ(ChooseProcessorName("brand", identify("AMD Athlon", 64)), "AMD Athlon");
}

TEST(MainDlgTray, BaseIconAndNumber)
{
    struct Case {
        int avail, total, icon;
        const char* text;
    } cases[] = {{100, 256, 157, "39"}, {200, 256, 156, "78"}, {40, 256, 158, "15"},
                 {128, 256, 156, "50"}, {64, 256, 157, "25"}, {63, 256, 158, "24"}, {0, 0, 156, "0"}};
    for (const Case& c : cases) {
        const MemoryStatus status{c.avail, c.total, 0, 0};
        EXPECT_EQ(TrayBaseIcon(status), c.icon) << c.avail << "/" << c.total;
        EXPECT_EQ(TrayPictureText(status), c.text) << c.avail << "/" << c.total;
    }
}

TEST(MainDlgRules, AutomaticCleaningAsksOnceUntilMemoryRecovers)
{
    bool armed = true;
    EXPECT_EQ(DecideAutoClean(false, 21, 20, armed), AutoCleanAction::None);
    EXPECT_EQ(DecideAutoClean(false, 20, 20, armed), AutoCleanAction::Ask) << "exactly the alert value";
    AfterAutoCleanAnswer(false, armed);
    EXPECT_EQ(DecideAutoClean(false, 20, 20, armed), AutoCleanAction::None) << "cancelled: disarmed";
    EXPECT_EQ(DecideAutoClean(false, 5, 20, armed), AutoCleanAction::None);
    EXPECT_EQ(DecideAutoClean(true, 30, 20, armed), AutoCleanAction::ShowBusy);
    EXPECT_FALSE(armed) << "a busy tick does not look at memory";
    EXPECT_EQ(DecideAutoClean(false, 21, 20, armed), AutoCleanAction::None);
    EXPECT_TRUE(armed) << "rearmed above the value";
    EXPECT_EQ(DecideAutoClean(false, 19, 20, armed), AutoCleanAction::Ask);
    AfterAutoCleanAnswer(true, armed);
    EXPECT_EQ(DecideAutoClean(false, 19, 20, armed), AutoCleanAction::Ask) << "accepted: stays armed";

    EXPECT_TRUE(AlertDue(true, false, 20, 20));
    EXPECT_FALSE(AlertDue(true, false, 21, 20));
    EXPECT_FALSE(AlertDue(true, true, 5, 20)) << "no sound during a run";
    EXPECT_FALSE(AlertDue(false, false, 5, 20));

    EXPECT_TRUE(IsPowerOnArgument(" -PowerOn"));
    EXPECT_TRUE(IsPowerOnArgument("-POWERON"));
    EXPECT_FALSE(IsPowerOnArgument("-other"));
}

TEST(MainDlgGeometry, CompactCentredAndPanels)
{
    const Box full{100, 50, 683, 650};
    const Box compact = CompactBox(full);
    EXPECT_EQ(compact.left, 100);
    EXPECT_EQ(compact.right, 100 + 583 / 2);
    EXPECT_EQ(compact.Height(), 600);
    const Box centred = CentredBox(full, 1024, 768);
    EXPECT_EQ(centred.left, (1024 - 583) / 2);
    EXPECT_EQ(centred.top, 84);
    EXPECT_EQ(centred.Width(), 583);
    EXPECT_EQ(RightPanelX(Box{0, 0, 577, 560}, Box{0, 0, 285, 560}), 288);
    EXPECT_EQ(RightPanelX(Box{0, 0, 577, 560}, Box{0, 0, 300, 560}), 300);
}

} // namespace
