#include "memory/report_dlg_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "common/resource_text.h"
#include "memory/clean_state.h"
#include "memory/cleaning_methods.h"
#include "memory/pretend_machine.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "win32/ui_host.h"

namespace {

using namespace testing_support;

// Answers every modal dialog with OK after noting what it showed.
class ReadingHost : public win32::UiHost {
public:
    std::function<void(HWND)> whileOpen;
    int dialogs = 0;
    std::string caption;
    std::map<int, std::string> texts;
    std::string methodLines; // empty while hidden
    bool okBelowLines = false;

    INT_PTR RunModal(win32::Dialog& dialog, HWND parent) override
    {
        ++dialogs;
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
        if (whileOpen)
            whileOpen(dialog.hwnd());
        dialog.EndDialog(IDOK);
        return IDOK;
    }
};

// A run that began with `beforeMB` available on a 256 MB machine that now has `afterMB`; the
// snapshots are put back afterwards.
int Report(int32_t beforeMB, uint64_t afterMB, bool cleanUpRun, const RunOutcome& outcome = RunOutcome{})
{
    const MemoryStatus savedBefore = StatusBefore, savedAfter = StatusAfter;
    const bool savedCleanUpRun = CleanState.cleanUpRun;
    PretendMachine machine(256 * kMB, afterMB * kMB);
    StatusBefore.availPhysMB = beforeMB;
    CleanState.cleanUpRun = cleanUpRun;
    const int gained = ShowCleaningReport(outcome);
    StatusBefore = savedBefore;
    StatusAfter = savedAfter;
    CleanState.cleanUpRun = savedCleanUpRun;
    return gained;
}

uint32_t PageSize()
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwPageSize;
}

// A gained run's figures on the tool background, refused operations below the figures, and the
// advice of a run that gained nothing.
TEST(ReportDlg, FiguresRefusalsAndAdvice)
{
    ReadingHost host;
    win32::SetUiHost(&host);
    host.whileOpen = [](HWND dialog) {
        ShowWindow(dialog, SW_SHOWNOACTIVATE);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client;
        GetClientRect(dialog, &client);
        HDC dc = GetDC(dialog);
        SetBkColor(dc, RGB(1, 2, 3));
        const auto brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_REPORT_VALUE1)));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 2, 2), RGB(215, 215, 215)) << "grey field";
        EXPECT_EQ(GetPixel(dc, 20, client.bottom - 20), RGB(255, 255, 255)) << "white panel";
        ReleaseDC(dialog, dc);
    };
    EXPECT_EQ(Report(100, 164, false), 1);
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE1], std::to_string(164 * kMB)) << "the after-run snapshot";
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE2], std::to_string(256 * kMB));
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE3], "64");
    EXPECT_EQ(host.texts[IDC_REPORT_VALUE4], std::to_string(64 * kMB / PageSize()));
    EXPECT_EQ(host.caption, "Tidewell" + UiText("ReportStr1"));
    EXPECT_EQ(host.methodLines, "") << "a classic run shows the figures alone";
    host.whileOpen = nullptr;

    RunOutcome refused;
    refused.classicStep = false;
    refused.results = {{kEmptyWorkingSets, kStatusPrivilegeNotHeld}, {kPurgeStandbyList, kStatusNotSupported}};
    EXPECT_EQ(Report(100, 164, true, refused), 0) << "memory rose, but not through this run";
    EXPECT_EQ(host.texts[IDC_REPORT_ADVICE], UiText("ZLJY2"));
    EXPECT_NE(host.methodLines.find(UiText("MethodNoPrivilege") + "\n"), std::string::npos) << host.methodLines;
    EXPECT_NE(host.methodLines.find(UiText("MethodNotSupported")), std::string::npos) << host.methodLines;
    EXPECT_TRUE(host.okBelowLines) << "the dialog grew to hold the lines";
    refused.results[1].status = kStatusSuccess;
    EXPECT_EQ(Report(100, 164, true, refused), 1);

    EXPECT_EQ(Report(120, 120, false), 0);
    EXPECT_EQ(host.texts[IDC_REPORT_ADVICE], UiText("ZLJY1"));
    win32::SetUiHost(nullptr);
}

} // namespace
