#include "memory/report_dlg_win.h"

#include <gtest/gtest.h>

#include <string>

#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "memory/pretend_machine.h"
#include "resources/resource.h"
#include "support/recording_host_win.h"

namespace {

using namespace testing_support;

// A run that began with `beforeMB` available on a 256 MB machine that now has 164 MB.
int Report(int32_t beforeMB, bool cleanUpRun, const RunOutcome& outcome = RunOutcome{})
{
    PretendMachine machine(256 * kMB, 164 * kMB);
    StatusBefore.availPhysMB = beforeMB;
    CleanState.cleanUpRun = cleanUpRun;
    const int gained = ShowCleaningReport(outcome);
    StatusBefore = StatusAfter = {};
    CleanState.cleanUpRun = false;
    return gained;
}

RECT PlaceIn(HWND dialog, HWND control)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
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
        RECT client{};
        GetClientRect(dialog.hwnd(), &client);
        const RECT button = PlaceIn(dialog.hwnd(), dialog.Item(IDOK));
        okBelowLines = button.top >= PlaceIn(dialog.hwnd(), lines).bottom && button.bottom <= client.bottom;
        dialog.EndDialog(IDOK);
        return INT_PTR{IDOK};
    };
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(Report(100, false), 1);
    EXPECT_EQ(value1, std::to_string(164 * kMB)) << "the after-run snapshot";
    EXPECT_EQ(value4, std::to_string(64 * kMB / system.dwPageSize));
    EXPECT_EQ(caption, "Tidewell" + UiText("ReportStr1"));
    EXPECT_EQ(methodLines, "") << "a classic run shows the figures alone";

    RunOutcome refused;
    refused.classicStep = false;
    refused.results = {{kEmptyWorkingSets, kStatusPrivilegeNotHeld}, {kPurgeStandbyList, kStatusNotSupported}};
    EXPECT_EQ(Report(100, true, refused), 0) << "memory rose, but not through this run";
    EXPECT_EQ(advice, UiText("ZLJY2"));
    EXPECT_NE(methodLines.find(UiText("MethodNoPrivilege") + "\n"), std::string::npos) << methodLines;
    EXPECT_NE(methodLines.find(UiText("MethodNotSupported")), std::string::npos) << methodLines;
    EXPECT_TRUE(okBelowLines) << "the dialog grew to hold the lines";
    refused.results[1].status = kStatusSuccess;
    EXPECT_EQ(Report(100, true, refused), 1);
    EXPECT_EQ(Report(164, false), 0);
    EXPECT_EQ(advice, UiText("ZLJY1"));
}

} // namespace
