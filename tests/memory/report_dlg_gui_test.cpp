#include "memory/report_dlg_win.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "memory/pretend_machine.h"
#include "resources/resource.h"
#include "win32/ui_host.h"

namespace {

using namespace testing_support;

// Answers the report with OK after noting what it showed.
class ReadingHost : public win32::UiHost {
public:
    std::string caption, methodLines; // no lines while they are hidden
    std::map<int, std::string> texts;
    bool okBelowLines = false;

    INT_PTR RunModal(win32::Dialog& dialog, HWND parent) override
    {
        if (!dialog.CreateModeless(parent))
            return -1;
        caption = dialog.GetCaption();
        for (int id = IDC_REPORT_LABEL1; id <= IDC_REPORT_ADVICE; ++id)
            texts[id] = dialog.GetItemText(id);
        const bool shown = (GetWindowLongA(dialog.Item(IDC_REPORT_METHODS), GWL_STYLE) & WS_VISIBLE) != 0;
        methodLines = shown ? dialog.GetItemText(IDC_REPORT_METHODS) : "";
        RECT lines{}, button{}, client{};
        GetWindowRect(dialog.Item(IDC_REPORT_METHODS), &lines);
        GetWindowRect(dialog.Item(IDOK), &button);
        GetClientRect(dialog.hwnd(), &client);
        MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&lines), 2);
        MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&button), 2);
        okBelowLines = button.top >= lines.bottom && button.bottom <= client.bottom;
        dialog.EndDialog(IDOK);
        return IDOK;
    }
};

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

// The figures of now in bytes and pages, refused operations listed below them, and the advice of
// a run that gained nothing.
TEST(ReportDlg, FiguresRefusalsAndAdvice)
{
    ReadingHost host;
    win32::SetUiHost(&host);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(Report(100, false), 1);
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE1], std::to_string(164 * kMB)) << "the after-run snapshot";
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE4], std::to_string(64 * kMB / system.dwPageSize));
    EXPECT_EQ(host.caption, "Tidewell" + UiText("ReportStr1"));
    EXPECT_EQ(host.methodLines, "") << "a classic run shows the figures alone";

    RunOutcome refused;
    refused.classicStep = false;
    refused.results = {{kEmptyWorkingSets, kStatusPrivilegeNotHeld}, {kPurgeStandbyList, kStatusNotSupported}};
    EXPECT_EQ(Report(100, true, refused), 0) << "memory rose, but not through this run";
    EXPECT_EQ(host.texts[IDC_REPORT_ADVICE], UiText("ZLJY2"));
    EXPECT_NE(host.methodLines.find(UiText("MethodNoPrivilege") + "\n"), std::string::npos) << host.methodLines;
    EXPECT_NE(host.methodLines.find(UiText("MethodNotSupported")), std::string::npos) << host.methodLines;
    EXPECT_TRUE(host.okBelowLines) << "the dialog grew to hold the lines";
    refused.results[1].status = kStatusSuccess;
    EXPECT_EQ(Report(100, true, refused), 1);
    EXPECT_EQ(Report(164, false), 0);
    EXPECT_EQ(host.texts[IDC_REPORT_ADVICE], UiText("ZLJY1"));
    win32::SetUiHost(nullptr);
}

} // namespace
