// The dialogs around cleaning: the methods each Windows is offered and what OK hands back; the
// report after a run with the figures of now, the refused operations below them and the advice.
#include "app/cleaning_dialogs_win.h"

#include <gtest/gtest.h>

#include "app/cleaning_methods_dlg_win.h"
#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "resources/resource.h"
#include "support/main_dlg_fixture_win.h"

namespace {

using namespace testing_support;

TEST(CleaningMethodsDlg, MapsTheStandbyBoxesChecksTheShareAndOffersOlderWindowsTheClassicStepAlone)
{
    RecordingHost host;
    win32::Modeless<CCleaningMethodsDlg> dialog({kFillAndRelease | kPurgeLowPriorityStandby, false, 50}, kAllMethods);
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_TRUE(dialog.IsChecked(IDC_METHOD_FILL));
    EXPECT_TRUE(dialog.IsChecked(IDC_METHOD_STANDBY) && dialog.IsChecked(IDC_METHOD_LOWPRIORITY));
    EXPECT_TRUE(Enabled(dialog, IDC_METHOD_COMBINE) && Enabled(dialog, IDC_STANDBY_AUTOCLEAN));
    EXPECT_EQ(dialog.GetItemText(IDC_METHODS_NOTE), "");
    Click(dialog, IDC_METHOD_STANDBY);
    EXPECT_FALSE(Enabled(dialog, IDC_METHOD_LOWPRIORITY)) << "only beside the standby purge";
    Click(dialog, IDC_METHOD_STANDBY);
    Click(dialog, IDC_METHOD_LOWPRIORITY); // the whole list
    Click(dialog, IDC_METHOD_FILL);
    Click(dialog, IDC_METHOD_WORKINGSETS);
    Click(dialog, IDC_STANDBY_AUTOCLEAN);
    dialog.SetItemText(IDC_STANDBY_EDIT, "96");
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    ASSERT_EQ(host.boxes.size(), 1u) << "out of range";
    dialog.SetItemText(IDC_STANDBY_EDIT, "30");
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.Settings().methods, MethodSet{kEmptyWorkingSets | kPurgeStandbyList});
    EXPECT_TRUE(dialog.Settings().standbyAutoClean);
    EXPECT_EQ(dialog.Settings().standbyAlertValue, 30);

    // Stored on a newer machine: the list operations stay stored but cannot be chosen here.
    win32::Modeless<CCleaningMethodsDlg> older({kPurgeStandbyList, true, 40}, kClassicMethodOnly);
    ASSERT_TRUE(older.CreateModeless());
    for (int id : {IDC_METHOD_WORKINGSETS, IDC_METHOD_FILECACHE, IDC_METHOD_MODIFIED, IDC_METHOD_STANDBY,
                   IDC_METHOD_LOWPRIORITY, IDC_METHOD_COMBINE, IDC_STANDBY_AUTOCLEAN, IDC_STANDBY_EDIT})
        EXPECT_FALSE(Enabled(older, id)) << id;
    EXPECT_TRUE(Enabled(older, IDC_METHOD_FILL));
    EXPECT_NE(older.GetItemText(IDC_METHODS_NOTE), "");
    SendMessageA(older.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(older.Settings().methods, MethodSet{kPurgeStandbyList | kFillAndRelease})
        << "nothing runnable chosen: stored with the classic step";
}

// A run that began with `beforeMB` available on a 256 MB machine that now has 164 MB.
void Report(int32_t beforeMB, bool cleanUpRun, const RunOutcome& outcome = RunOutcome{})
{
    PretendMachine machine(256 * kMB, 164 * kMB);
    CleanMeasurement measured = MeasureCleanStart();
    measured.before.availPhys = static_cast<uint64_t>(beforeMB) * kMB;
    MeasureCleanEnd(measured);
    CleanState.cleanUpRun = cleanUpRun;
    ShowCleaningReport(measured, outcome);
    CleanState.cleanUpRun = false;
}

// The figures of now in bytes and pages, refused operations listed below them, and the advice of
// a run that gained nothing.
TEST(ReportDlg, FiguresRefusalsAndAdvice)
{
    // The report is answered with OK after noting what it showed.
    std::string caption, methodLines, advice, value1, value4; // no lines while they are hidden
    bool okBelowLines = false;
    RecordingHost host;
    host.modal = [&](win32::Dialog& dialog) {
        if (!dialog.CreateModeless())
            return INT_PTR{-1};
        caption = dialog.GetCaption();
        value1 = dialog.GetItemText(IDC_REPORT_VALUE1);
        value4 = dialog.GetItemText(IDC_REPORT_VALUE4);
        advice = dialog.GetItemText(IDC_REPORT_ADVICE);
        const HWND lines = dialog.Item(IDC_REPORT_METHODS);
        methodLines = (GetWindowLongA(lines, GWL_STYLE) & WS_VISIBLE) ? dialog.GetItemText(IDC_REPORT_METHODS) : "";
        RECT client{}, button{}, lineBox{}; // on the screen
        GetClientRect(dialog.hwnd(), &client);
        MapWindowPoints(dialog.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(dialog.Item(IDOK), &button);
        GetWindowRect(lines, &lineBox);
        okBelowLines = button.top >= lineBox.bottom && button.bottom <= client.bottom;
        dialog.EndDialog(IDOK);
        return INT_PTR{IDOK};
    };
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    Report(100, false);
    EXPECT_EQ(value1, std::to_string(164 * kMB)) << "the after-run snapshot";
    EXPECT_EQ(value4, std::to_string(64 * kMB / system.dwPageSize));
    EXPECT_EQ(caption, "Tidewell" + UiText("ReportStr1"));
    EXPECT_EQ(methodLines, "") << "a classic run shows the figures alone";

    RunOutcome refused;
    refused.classicStep = false;
    refused.results = {{kEmptyWorkingSets, kStatusPrivilegeNotHeld}, {kPurgeStandbyList, kStatusNotSupported}};
    Report(100, true, refused);
    EXPECT_EQ(advice, UiText("ZLJY2")) << "memory rose, but not through this run";
    EXPECT_NE(methodLines.find(UiText("MethodNoPrivilege") + "\n"), std::string::npos) << methodLines;
    EXPECT_TRUE(okBelowLines) << "the dialog grew to hold the lines";
}

} // namespace
