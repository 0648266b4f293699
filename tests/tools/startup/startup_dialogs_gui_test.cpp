#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "tools/startup/autorun_dlg_win.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/run_setup_dlg_win.h"
#include "tools/startup/startup_test_support_win.h"

using namespace startup_testing;
using testing_support::PumpUntil;

namespace {

void Click(const win32::Dialog& dialog, int id)
{
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
}

void NotifyList(const CAutorunDlg& dialog, UINT code)
{
    NMITEMACTIVATE info{};
    info.hdr.hwndFrom = dialog.Item(IDC_RUN_LIST);
    info.hdr.idFrom = IDC_RUN_LIST;
    info.hdr.code = code;
    info.iItem = -1;
    SendMessageA(dialog.hwnd(), WM_NOTIFY, IDC_RUN_LIST, reinterpret_cast<LPARAM>(&info));
}

bool Enabled(const win32::Dialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != FALSE; }

std::string SystemFile(const char* name)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + name;
}

class StartupDialogTest : public testing::Test {
protected:
    StartupState state_{"startup-dialogs"};
    RecordingHost host_;
    CResourceText texts_;

    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
    }
    void Open(CAutorunDlg& dialog)
    {
        ASSERT_TRUE(dialog.CreateModeless());
        ShowWindow(dialog.hwnd(), SW_SHOW);
    }
    int RowOf(const CAutorunDlg& dialog, const std::string& name)
    {
        for (int row = 0; row < dialog.List().RowCount(); ++row)
            if (dialog.List().GetCell(row, 0) == name)
                return row;
        return -1;
    }
    void Choose(CAutorunDlg& dialog, const std::string& name)
    {
        const int row = RowOf(dialog, name);
        ASSERT_GE(row, 0) << name;
        dialog.List().FocusRow(row);
        NotifyList(dialog, NM_CLICK);
    }
};

TEST_F(StartupDialogTest, OpensWithConflictsTidiedAndEveryEntryListed)
{
    SetValue(MachineRun, "Active", "C:\\Tools\\active.exe -s");
    SetValue(UserRunDisabled, "Paused", "paused.exe");
    SetValue(UserRun, "Twice", "twice.exe");
    SetValue(UserRunDisabled, "TWICE", "stale.exe");
    ASSERT_TRUE(CDelayList(state_.DelayList()).Append({"Later", "later.exe", Delayed, 5, 0}));
    DeleteKey(MachineRunServicesDisabled);

    win32::Modeless<CAutorunDlg> dialog(state_.DelayList());
    Open(dialog);
    ASSERT_EQ(host_.boxes.size(), 1u) << "the conflicts check ran first";
    EXPECT_NE(host_.boxes[0].text.find("\nTWICE\n"), std::string::npos);

    const win32::ListView& list = dialog.List();
    const std::vector<std::vector<std::string>> rows = {
        {"Active", "C:\\Tools\\active.exe -s", texts_.Text("RStatus1")},
        {"Later", "later.exe", texts_.Text("RStatus3") + " 5 Minutes"},
        {"Twice", "twice.exe", texts_.Text("RStatus1")},
        {"Paused", "paused.exe", texts_.Text("RStatus2")},
    };
    ASSERT_EQ(list.RowCount(), static_cast<int>(rows.size()));
    for (int r = 0; r < list.RowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(list.GetCell(r, c), rows[static_cast<size_t>(r)][static_cast<size_t>(c)]) << r << "," << c;
    HIMAGELIST images = ListView_GetImageList(list.hwnd(), LVSIL_SMALL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), list.RowCount());
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list.hwnd()) & 0x120u, 0x120u);
    for (int id : {IDC_LGRUN_BUTTON, IDC_DELRUN_BUTTON, IDC_APPLYRUN_BUTTON})
        EXPECT_FALSE(Enabled(dialog, id)) << id;
    EXPECT_TRUE(WriteStartupValue(MachineRunServicesDisabled, "probe", REG_SZ, "x")) << "disabled keys were created";

    // A Delay.ini a plain user could change: its entries are listed as not started, and it says why.
    state_.places.protectedPlace = false;
    CAutorunDlg unprotected(state_.DelayList());
    Open(unprotected);
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, texts_.Text("strDelayRefused"));
    EXPECT_EQ(unprotected.List().GetCell(RowOf(unprotected, "Later"), 2), texts_.Text("RStatus4"));
}

TEST_F(StartupDialogTest, StartNowRunsOnlyEntriesThatDoNotStartWithWindows)
{
    const std::filesystem::path marker = state_.Folder().path() / "started.txt";
    const std::string command = "cmd.exe /c echo started>> \"" + marker.string() + "\"";
    SetValue(MachineRunDisabled, "Off", command);
    SetValue(UserRun, "On", "on.exe");
    SetRawValue(UserRunDisabled, "Data", REG_BINARY, std::string("\x01\x02", 2));
    win32::Modeless<CAutorunDlg> dialog(state_.DelayList());
    Open(dialog);
    EXPECT_EQ(dialog.List().GetCell(RowOf(dialog, "Data"), 1), "REG_BINARY: 01 02");
    Choose(dialog, "Data");
    Click(dialog, IDC_LGRUN_BUTTON);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, "Data: " + texts_.Text("strStartupNotCommand")) << "data is never run";
    host_.boxes.clear();

    Choose(dialog, "On");
    Click(dialog, IDC_LGRUN_BUTTON);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, texts_.Text("strBootHasRunned1") + "On" + texts_.Text("strBootHasRunned2"));

    Choose(dialog, "Off");
    Click(dialog, IDC_LGRUN_BUTTON);
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, command + " " + texts_.Text("strStartNowTips"));
    EXPECT_EQ(host_.boxes[1].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    ASSERT_TRUE(PumpUntil([&] { return testing_support::ReadWholeFile(marker).find("started") != std::string::npos; },
                          10000));
    testing_support::PumpMessagesFor(300);
    EXPECT_EQ(testing_support::ReadWholeFile(marker), "started\r\n") << "started once";
    EXPECT_EQ(GetValue(MachineRunDisabled, "Off"), command) << "it stays paused";
}

TEST_F(StartupDialogTest, DeleteAsksAndReportsADeletionWithoutEffect)
{
    SetValue(UserRun, "Gone", "gone.exe");
    SetValue(UserRun, "Kept", "kept.exe");
    win32::Modeless<CAutorunDlg> dialog(state_.DelayList());
    Open(dialog);

    NotifyList(dialog, NM_CLICK);
    EXPECT_FALSE(Enabled(dialog, IDC_APPLYRUN_BUTTON));
    Click(dialog, IDC_DELRUN_BUTTON);
    EXPECT_TRUE(host_.boxes.empty()) << "no current entry, nothing happens";

    host_.answer = IDNO;
    Choose(dialog, "Gone");
    EXPECT_EQ(dialog.CurrentEntry(), 0);
    for (int id : {IDC_LGRUN_BUTTON, IDC_DELRUN_BUTTON, IDC_APPLYRUN_BUTTON})
        EXPECT_TRUE(Enabled(dialog, id)) << id;
    Click(dialog, IDC_DELRUN_BUTTON);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text,
              texts_.Text("strStartDeleteSure1") + "Gone" + texts_.Text("strStartDeleteSure2") + " ");
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.List().RowCount(), 2);

    host_.answer = IDYES;
    Click(dialog, IDC_DELRUN_BUTTON);
    EXPECT_EQ(host_.boxes.size(), 2u) << "the question only";
    EXPECT_EQ(dialog.List().RowCount(), 1);
    EXPECT_EQ(GetValue(UserRun, "Gone"), "<missing>");
    EXPECT_EQ(dialog.List().GetCell(0, 0), "Kept");
}

// Whether a deletion worked is asked of the entry, not of the row count: with more entries
// than rows, the next one takes the freed row.
TEST_F(StartupDialogTest, DeletionIsJudgedByTheEntryNotTheRowCount)
{
    std::string sections;
    for (int i = 0; i <= kMaxStartupItems; ++i)
        sections += "[Item" + std::to_string(i) + "]\r\nProject=d" + std::to_string(i) + "\r\nPath=d.exe\r\n";
    testing_support::WriteWholeFile(state_.DelayList(), sections.substr(0, sections.find("[Item100]")));
    SetValue(UserRun, "Beyond", "beyond.exe");
    win32::Modeless<CAutorunDlg> dialog(state_.DelayList());
    Open(dialog);
    EXPECT_EQ(dialog.List().RowCount(), kMaxStartupItems);
    EXPECT_EQ(RowOf(dialog, "Beyond"), -1);

    host_.answer = IDYES;
    Choose(dialog, "d3");
    Click(dialog, IDC_DELRUN_BUTTON);
    EXPECT_EQ(host_.boxes.size(), 1u) << "the question only: d3 is gone";
    EXPECT_EQ(RowOf(dialog, "d3"), -1);
    EXPECT_EQ(dialog.List().RowCount(), kMaxStartupItems);

    testing_support::WriteWholeFile(state_.DelayList(), sections); // 101 sections: left alone
    Choose(dialog, "d5");
    Click(dialog, IDC_DELRUN_BUTTON);
    ASSERT_EQ(host_.boxes.size(), 3u);
    EXPECT_EQ(host_.boxes[2].text,
              texts_.Text("strBootItemCantDelete1") + "d5" + texts_.Text("strBootItemCantDelete2"));
}

TEST_F(StartupDialogTest, StartModeOpensTheModeDialogAndAppliesItsChoice)
{
    SetValue(MachineRunDisabled, "Mode", "mode.exe /x");
    win32::Modeless<CAutorunDlg> dialog(state_.DelayList());
    Open(dialog);

    int opened = 0;
    host_.modal = [&](win32::Dialog& modal) -> INT_PTR {
        auto& setup = dynamic_cast<CRunSetupDlg&>(modal);
        ++opened;
        EXPECT_EQ(setup.name, "Mode");
        EXPECT_EQ(setup.command, "mode.exe /x");
        EXPECT_EQ(setup.mode, opened == 1 ? StartPaused : StartDelayed);
        EXPECT_EQ(setup.minutes, opened == 1 ? 1 : 7);
        setup.mode = StartDelayed;
        setup.minutes = opened == 1 ? 7 : 20;
        return opened == 1 ? IDOK : IDCANCEL;
    };
    Choose(dialog, "Mode");
    Click(dialog, IDC_APPLYRUN_BUTTON);
    ASSERT_EQ(opened, 1);
    EXPECT_EQ(GetValue(MachineRunDisabled, "Mode"), "<missing>");
    ASSERT_EQ(dialog.List().RowCount(), 1);
    EXPECT_EQ(dialog.List().GetCell(0, 2), texts_.Text("RStatus3") + " 7 Minutes");
    EXPECT_TRUE(host_.boxes.empty()) << "the own entry is present";

    // A double click below the rows acts on the row that still has the focus; Cancel changes nothing.
    dialog.List().FocusRow(0);
    NotifyList(dialog, NM_DBLCLK);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(CDelayList(state_.DelayList()).ReadItems().at(0).delay, 7);
}

class RunSetupTest : public testing::Test {
protected:
    RecordingHost host_;
    CResourceText texts_;
    win32::Modeless<CRunSetupDlg> dialog_;

    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        dialog_.name = "Entry";
        dialog_.command = "entry.exe /go";
    }
    void Open()
    {
        ASSERT_TRUE(dialog_.CreateModeless());
        ShowWindow(dialog_.hwnd(), SW_SHOW);
    }
    static int MinutesEnabled(const CRunSetupDlg& d)
    {
        return Enabled(d, IDC_STATICSJSZ) + Enabled(d, IDC_RUNSETUP_MINUTES) + Enabled(d, IDC_RUNSETUP_SPIN);
    }
};

TEST_F(RunSetupTest, OpensOnTheGivenModeAndCancelCloses)
{
    const std::pair<int, int> cases[] = {
        {StartAtBoot, IDC_RADIOONE}, {StartPaused, IDC_RADIOTWO}, {StartDelayed, IDC_RADIOTHREE}};
    for (const auto& [mode, radio] : cases) {
        win32::Modeless<CRunSetupDlg> dialog;
        dialog.mode = mode;
        dialog.name = "N";
        dialog.command = "c.exe";
        ASSERT_TRUE(dialog.CreateModeless());
        for (int id : {IDC_RADIOONE, IDC_RADIOTWO, IDC_RADIOTHREE})
            EXPECT_EQ(dialog.IsChecked(id), id == radio) << mode << " " << id;
        EXPECT_EQ(MinutesEnabled(dialog), mode == StartDelayed ? 3 : 0) << mode;
        EXPECT_EQ(dialog.GetItemText(IDC_RUNSETUP_MINUTES), "1");
        EXPECT_EQ(dialog.GetItemText(IDC_RUNSETUP_NAME), "N");
        EXPECT_EQ(dialog.GetItemText(IDC_RUNSETUP_COMMAND), "c.exe");
    }
    dialog_.mode = StartDelayed;
    Open();
    int low = 0, high = 0;
    SendMessageA(dialog_.Item(IDC_RUNSETUP_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(1, 60));

    dialog_.SetItemText(IDC_RUNSETUP_MINUTES, "0");
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(host_.boxes.size(), 1u);
    EXPECT_FALSE(IsWindow(dialog_.hwnd()));
    EXPECT_EQ(dialog_.Result(), IDCANCEL);
}

TEST_F(RunSetupTest, InvalidMinutesKeepTheDialogOpenUntilCorrected)
{
    Open();
    dialog_.SetItemText(IDC_RUNSETUP_MINUTES, "99");
    Click(dialog_, IDOK);
    EXPECT_TRUE(IsWindow(dialog_.hwnd())) << "disabled minutes still block OK";
    SendMessageA(dialog_.Item(IDC_RADIOTHREE), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog_.mode, StartDelayed) << "the mode changes all the same";
    EXPECT_EQ(MinutesEnabled(dialog_), 3);
    SendMessageA(dialog_.Item(IDC_RADIOTWO), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog_.mode, StartPaused);
    EXPECT_EQ(MinutesEnabled(dialog_), 0);
    SendMessageA(dialog_.Item(IDC_RADIOTHREE), BM_CLICK, 0, 0);
    for (const char* bad : {"0", "61", "x"}) {
        host_.boxes.clear();
        dialog_.SetItemText(IDC_RUNSETUP_MINUTES, bad);
        Click(dialog_, IDOK);
        EXPECT_EQ(host_.boxes.size(), 2u) << bad << ": read once by the handler, once by OK";
        EXPECT_TRUE(IsWindow(dialog_.hwnd())) << bad;
        EXPECT_EQ(GetFocus(), dialog_.Item(IDC_RUNSETUP_MINUTES));
    }
    EXPECT_EQ(host_.boxes[0].type & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    dialog_.SetItemText(IDC_RUNSETUP_MINUTES, "45");
    host_.boxes.clear();
    Click(dialog_, IDOK);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_FALSE(IsWindow(dialog_.hwnd()));
    EXPECT_EQ(dialog_.Result(), IDOK);
    EXPECT_EQ(dialog_.minutes, 45);
    EXPECT_EQ(dialog_.command, "entry.exe /go");
}

} // namespace
