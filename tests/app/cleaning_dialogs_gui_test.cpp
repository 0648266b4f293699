// The dialogs around cleaning: the methods each Windows is offered and what OK hands back, and
// their second page of programs and waits; the report after a run with the figures of now, the
// refused operations below them and the advice.
#include "app/cleaning/cleaning_dialogs_win.h"

#include <gtest/gtest.h>

#include "app/cleaning/cleaning_methods_dlg_win.h"
#include "app/cleaning/programs_pauses_dlg_win.h"
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
void Report(int32_t beforeMB, bool cleanUpRun, const RunOutcome& outcome = RunOutcome{},
            std::function<std::string()> followUp = {})
{
    PretendMachine machine(256 * kMB, 164 * kMB);
    CleanMeasurement measured = MeasureCleanStart();
    measured.before.availPhys = static_cast<uint64_t>(beforeMB) * kMB;
    MeasureCleanEnd(measured);
    CleanState.cleanUpRun = cleanUpRun;
    ShowCleaningReport(measured, outcome, {}, std::move(followUp));
    CleanState.cleanUpRun = false;
}

// The second page: a running program picked, a name typed (trimmed, once whatever its case), a bad
// name and a 65th refused, a line removed, the waits checked; the methods dialog takes it on OK.
TEST(CleaningMethodsDlg, SecondPageListsProgramsAndChecksTheWaits)
{
    RecordingHost host;
    CleaningMethodSettings stored;
    stored.pausePrograms.assign(kMaxListedPrograms, "full.exe");
    win32::Modeless<CCleaningMethodsDlg> methods(stored, kAllMethods);
    ASSERT_TRUE(methods.CreateModeless());
    host.modal = [&](win32::Dialog& page) {
        EXPECT_TRUE(page.CreateModeless(methods.hwnd()));
        const auto click = [&](int id, const char* typed = nullptr) {
            if (typed)
                page.SetItemText(IDC_PP_PROGRAM, typed);
            SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(page.Item(id)));
        };
        EXPECT_NE(SendMessageA(page.Item(IDC_PP_PROGRAM), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>("gui_tests.exe")), CB_ERR) << "the running programs are offered";
        click(IDC_PP_PAUSE_ADD);
        SendMessageA(page.Item(IDC_PP_PAUSE_LIST), LB_SETCURSEL, 0, 0);
        click(IDC_PP_PAUSE_REMOVE);
        click(IDC_PP_PAUSE_ADD);
        for (const char* typed : {" Steam.exe ", "STEAM.EXE", "bad|name"})
            click(IDC_PP_KEEP_ADD, typed);
        page.SetItemText(IDC_PP_INTERVAL_EDIT, "61");
        click(IDOK);
        EXPECT_EQ(host.boxes.size(), 3u) << "the 65th, the bad name, the wait past the hour";
        page.SetItemText(IDC_PP_INTERVAL_EDIT, "15");
        page.SetItemText(IDC_PP_BACKOFF_EDIT, "5");
        click(IDOK);
        return page.Result();
    };
    SendMessageA(methods.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_METHODS_PROGRAMS, BN_CLICKED), 0);
    const CleaningMethodSettings& chosen = methods.Settings();
    EXPECT_EQ(chosen.keepWorkingSets, ProgramList{"Steam.exe"});
    EXPECT_EQ(chosen.pausePrograms.size(), kMaxListedPrograms);
    EXPECT_EQ(chosen.pausePrograms.back(), "gui_tests.exe");
    EXPECT_EQ(std::pair(chosen.intervalMinutes, chosen.backOffPercent), std::pair(15, 5));
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

    // The minute after: its line asked again each second while the report is open.
    std::string line = UiText("FollowUpMeasuring"), later;
    host.modal = [&](win32::Dialog& dialog) {
        if (!dialog.CreateModeless())
            return INT_PTR{-1};
        methodLines = dialog.GetItemText(IDC_REPORT_METHODS);
        line = "2.0 GB freed";
        SendMessageA(dialog.hwnd(), WM_TIMER, 1, 0);
        later = dialog.GetItemText(IDC_REPORT_METHODS);
        dialog.EndDialog(IDOK);
        return INT_PTR{IDOK};
    };
    Report(100, false, RunOutcome{}, [&] { return line; });
    EXPECT_EQ(methodLines, UiText("FollowUpMeasuring"));
    EXPECT_EQ(later, "2.0 GB freed");
}

} // namespace
