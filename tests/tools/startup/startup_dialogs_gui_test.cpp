#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>

#include "common/module_path.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "support/policy_scope_win.h"
#include "support/stand_in_shell_win.h"
#include "support/startup_fixture_win.h"
#include "tools/process/process_list_win.h"
#include "tools/startup/autorun_dlg_win.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/run_setup_dlg_win.h"
#include "tools/startup/startup_rules.h"

using namespace startup_testing;

namespace {

// A value as the Kelvane.ini beside the test program writes it.
std::string RawText(const std::string& key)
{
    std::ifstream file(GetModulePath("Kelvane.ini"));
    for (std::string line; std::getline(file, line);)
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1, line.find_last_not_of('\r') - key.size());
    return "?";
}

void Click(const win32::Dialog& dialog, int id)
{
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
}

void NotifyList(const CAutorunDlg& dialog, UINT code)
{
    NMHDR header{dialog.Item(IDC_RUN_LIST), IDC_RUN_LIST, code};
    SendMessageA(dialog.hwnd(), WM_NOTIFY, IDC_RUN_LIST, reinterpret_cast<LPARAM>(&header));
}

int RowOf(const CAutorunDlg& dialog, const std::string& name)
{
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    return ListView_FindItem(dialog.List().hwnd(), -1, &find);
}

// Gives the entry the focus as a click on its row does, then presses the button.
void Act(const CAutorunDlg& dialog, const std::string& name, int button)
{
    dialog.List().FocusRow(RowOf(dialog, name));
    NotifyList(dialog, NM_CLICK);
    Click(dialog, button);
}

// The processes of that program running now.
std::set<std::uint32_t> Running(const std::string& program)
{
    CProcessList processes;
    processes.Refresh(false);
    std::set<std::uint32_t> ids;
    for (int i = 0; i < processes.Count(); ++i)
        if (processes.ModulePath(i).ends_with(program))
            ids.insert(processes.ProcessId(i));
    return ids;
}

TEST(StartupDialogs, ListStartDeleteAndChangeTheStartMode)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    StartupState state("startup-dialogs");
    RecordingHost host;
    CResourceText texts;
    const std::string command = "ping.exe -n 60 127.0.0.1"; // runs for a minute unless ended
    SetValue(MachineRun, "Active", "C:\\Tools\\active.exe -s");
    SetValue(MachineRun, "OrvantaHelper", "hidden.exe");
    SetValue(MachineRun32, "Orvanta", "own.exe");
    SetValue(MachineRun32, "Wow", "wow.exe");
    SetValue(MachineRun32Disabled, "WOW", "stale.exe");
    SetValue(MachineRunServices, "s-on", "son.exe");
    SetValue(MachineRunDisabled, "Off", command);
    SetValue(UserRun, "Twice", "twice.exe");
    SetValue(UserRun, "Orvanta", "listed.exe");
    SetValue(UserRunDisabled, "TWICE", "stale.exe");
    SetRawValue(UserRunDisabled, "Data", REG_BINARY, std::string("\x01\x02", 2));
    ASSERT_TRUE(CDelayList(state.DelayList()).Append({"Later", "later.exe", Delayed, 5, 0}));
    ASSERT_TRUE(CDelayList(state.DelayList()).Append({"twice", "d.exe", Delayed, 1, UserRun}));
    DeleteKey(MachineRunServicesDisabled);
    const PlantedValue hidden(MachineRun, std::wstring(L"\0Hidden", 7), L"hidden.exe");

    // Listed in key order without the own entry of the machine keys, once stale paused and delayed
    // copies of active entries are gone from either view.
    win32::Modeless<CAutorunDlg> dialog(state.DelayList());
    ASSERT_TRUE(dialog.CreateModeless());
    ASSERT_EQ(host.boxes.size(), 1u) << "the conflicts check ran first";
    // Built from the texts file's lines, not through the code under test: the button's words without
    // the keyboard mark ("&" or a bracketed "(&R)"), a blank, the title.
    const std::string button = std::regex_replace(RawText("IDC_MSCONFIG_BT"), std::regex(R"(\(&.\)|&)"), "");
    EXPECT_EQ(host.boxes[0].text, button + " " + RawText("strDeleteBootItem") + ":\n\nTWICE\nWOW\ntwice\n\n" +
                                      RawText("strBootProtect") + "\n");
    EXPECT_EQ(host.boxes[0].caption, "Tidewell") << "the default title, not \"Error\"";
    const std::string on = "|" + texts.Text("RStatus1"), off = "|" + texts.Text("RStatus2");
    std::vector<std::string> rows;
    for (int row = 0; row < dialog.List().RowCount(); ++row)
        rows.push_back(dialog.List().GetCell(row, 0) + "|" + dialog.List().GetCell(row, 1) + "|"
                       + dialog.List().GetCell(row, 2));
    EXPECT_EQ(rows, (std::vector<std::string>{"[NUL]Hidden|hidden.exe" + on, "Active|C:\\Tools\\active.exe -s" + on,
                                              "Wow|wow.exe" + on,
                                              "s-on|son.exe" + on,
                                              "Later|later.exe|" + texts.Text("RStatus3") + " 5 " + texts.Text("strMinutes"),
                                              "Off|" + command + off, "Orvanta|listed.exe" + on,
                                              "Twice|twice.exe" + on, "Data|REG_BINARY: 01 02" + off}));
    EXPECT_TRUE(WriteStartupValue(MachineRunServicesDisabled, "probe", REG_SZ, "x")) << "disabled keys were created";

    // Without an entry that has the focus the actions are off and do nothing.
    NotifyList(dialog, NM_CLICK);
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_DELRUN_BUTTON)));
    Click(dialog, IDC_DELRUN_BUTTON);

    // Only what does not start with Windows is started now, data never, and only as the user:
    // without the user's shell nothing starts and the box says why.
    Act(dialog, "Data", IDC_LGRUN_BUTTON);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_DELRUN_BUTTON)));
    Act(dialog, "Twice", IDC_LGRUN_BUTTON);
    const std::set<std::uint32_t> before = Running("ping.exe");
    std::optional<testing_support::StandInShell> shell(std::in_place);
    Act(dialog, "Off", IDC_LGRUN_BUTTON);
    shell.reset();
    Act(dialog, "Off", IDC_LGRUN_BUTTON);
    // Every start's process exists once the click returns, and runs on until it is ended.
    std::vector<std::uint32_t> started;
    testing_support::PumpUntil([&] {
        std::ranges::set_difference(Running("ping.exe"), before, std::back_inserter(started));
        return !started.empty();
    });
    for (std::uint32_t id : started)
        CProcessList::KillProcess(id);
    EXPECT_EQ(started.size(), 1u) << "started once, and not without the shell";
    ASSERT_EQ(host.boxes.size(), 5u);
    EXPECT_EQ(host.boxes[1].text, "Data: " + texts.Text("strStartupNotCommand"));
    EXPECT_EQ(host.boxes[2].text, texts.Text("strBootHasRunned1") + "Twice" + texts.Text("strBootHasRunned2"));
    EXPECT_EQ(host.boxes[3].text, command + " " + texts.Text("strStartNowTips"));
    EXPECT_EQ(host.boxes[4].text, texts.Text("strStartNoUserShell"));

    // The start mode dialog opens on the entry's mode; minutes outside 1 to 60 keep it open, even
    // while they are disabled, and are read twice by OK; Cancel reads them once more.
    int opened = 0;
    host.modal = [&](win32::Dialog& modal) -> INT_PTR {
        auto& setup = dynamic_cast<CRunSetupDlg&>(modal);
        EXPECT_TRUE(setup.CreateModeless(dialog.hwnd()));
        EXPECT_EQ(setup.GetItemText(IDC_RUNSETUP_COMMAND), command);
        EXPECT_EQ(setup.GetItemText(IDC_RUNSETUP_NAME) + " " + setup.GetItemText(IDC_RUNSETUP_MINUTES),
                  ++opened == 1 ? "Off 1" : "Off 7");
        if (opened == 2) {
            EXPECT_TRUE(setup.IsChecked(IDC_RADIOTHREE));
            EXPECT_TRUE(IsWindowEnabled(setup.Item(IDC_RUNSETUP_MINUTES)));
            setup.SetItemText(IDC_RUNSETUP_MINUTES, "0");
            Click(setup, IDCANCEL);
            return setup.Result();
        }
        EXPECT_TRUE(setup.IsChecked(IDC_RADIOTWO));
        setup.SetItemText(IDC_RUNSETUP_MINUTES, "0");
        SendMessageA(setup.Item(IDC_RADIOTHREE), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(setup.Item(IDC_RUNSETUP_MINUTES)));
        Click(setup, IDOK);
        EXPECT_EQ(GetFocus(), setup.Item(IDC_RUNSETUP_MINUTES));
        setup.SetItemText(IDC_RUNSETUP_MINUTES, "61");
        SendMessageA(setup.Item(IDC_RADIOTWO), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(setup.Item(IDC_RUNSETUP_MINUTES)));
        Click(setup, IDOK);
        setup.SetItemText(IDC_RUNSETUP_MINUTES, "7");
        SendMessageA(setup.Item(IDC_RADIOTHREE), BM_CLICK, 0, 0);
        Click(setup, IDOK);
        return setup.Result();
    };
    Act(dialog, "Off", IDC_APPLYRUN_BUTTON);
    EXPECT_EQ(host.boxes.size(), 11u);
    EXPECT_EQ(dialog.List().GetCell(RowOf(dialog, "Off"), 2), texts.Text("RStatus3") + " 7 " + texts.Text("strMinutes"));
    dialog.List().FocusRow(RowOf(dialog, "Off"));
    NotifyList(dialog, NM_DBLCLK); // below the rows: the focused entry
    EXPECT_EQ(host.boxes.size(), 12u) << "opened again, and Cancel read the minutes";

    // A Delay.ini a plain user could change: its entries are listed as not started, and it says why.
    state.places.protectedPlace = false;
    win32::Modeless<CAutorunDlg> unprotected(state.DelayList());
    ASSERT_TRUE(unprotected.CreateModeless());
    EXPECT_EQ(host.boxes.back().text, texts.Text("strDelayRefused"));
    EXPECT_EQ(unprotected.List().GetCell(RowOf(unprotected, "Later"), 2), texts.Text("RStatus4"));
    // Delaying into it is refused with the reason, and the entry stays in its key as it was.
    host.modal = [](win32::Dialog& modal) {
        dynamic_cast<CRunSetupDlg&>(modal).mode = StartDelayed;
        return INT_PTR{IDOK};
    };
    const auto active = GetRawValue(MachineRun, "Active");
    Act(unprotected, "Active", IDC_APPLYRUN_BUTTON);
    EXPECT_EQ(host.boxes.back().text, texts.Text("strDelayNotHere") + "\n\n" + texts.Text("strPlaceUsersMayChange"));
    EXPECT_EQ(GetRawValue(MachineRun, "Active"), active);

    // Only a yes deletes. Whether a deletion worked is asked of the entry, not of the row count:
    // with more entries than rows, the next one takes the freed row.
    std::string sections;
    for (int i = 0; i <= kMaxStartupItems; ++i)
        sections += "[Item" + std::to_string(i) + "]\r\nProject=d" + std::to_string(i) + "\r\nPath=d.exe\r\n";
    testing_support::WriteWholeFile(state.DelayList(), sections.substr(0, sections.find("[Item100]")));
    const size_t boxes = host.boxes.size();
    host.answer = IDNO;
    Act(dialog, "Active", IDC_DELRUN_BUTTON);
    host.answer = IDYES;
    Click(dialog, IDC_DELRUN_BUTTON);
    Act(dialog, "d3", IDC_DELRUN_BUTTON);
    ASSERT_EQ(host.boxes.size(), boxes + 3) << "the questions only";
    EXPECT_EQ(host.boxes[boxes].text,
              texts.Text("strStartDeleteSure1") + "Active" + texts.Text("strStartDeleteSure2") + " ");
    EXPECT_EQ(host.boxes[boxes].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(RowOf(dialog, "d3"), -1);
    EXPECT_EQ(dialog.List().RowCount(), kMaxStartupItems);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(dialog.List().hwnd(), LVSIL_SMALL)), kMaxStartupItems);
    testing_support::WriteWholeFile(state.DelayList(), sections); // 101 sections: left alone
    Act(dialog, "d5", IDC_DELRUN_BUTTON);
    ASSERT_EQ(host.boxes.size(), boxes + 5);
    EXPECT_EQ(host.boxes.back().text,
              texts.Text("strBootItemCantDelete1") + "d5" + texts.Text("strBootItemCantDelete2"));

    // An organisation that turns changes off: listed and started, never deleted or moved.
    const testing_support::PolicyScope policies;
    policies.Set(kNoStartupChanges, 1);
    win32::Modeless<CAutorunDlg> locked(state.DelayList());
    ASSERT_TRUE(locked.CreateModeless());
    const size_t told = host.boxes.size();
    Act(locked, "Wow", IDC_DELRUN_BUTTON);
    NotifyList(locked, NM_DBLCLK);
    EXPECT_TRUE(IsWindowEnabled(locked.Item(IDC_LGRUN_BUTTON)) && !IsWindowEnabled(locked.Item(IDC_APPLYRUN_BUTTON)));
    EXPECT_EQ(host.boxes.size(), told) << "no question, no start mode";
}

} // namespace
