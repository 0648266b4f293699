// The process manager walked through with real children: listed with their paths, refused when
// protected, ended when plain, listed again as on the Windows 95 family, and the Explorer switch
// read and stored.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/child_process_win.h"
#include "support/registry_snapshot_win.h"
#include "support/tool_dialog_clicks_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/process/process_view.h"

using namespace testing_support;

namespace {

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

void SetUnloadSwitch(const char* value)
{
    WriteValue(HKEY_LOCAL_MACHINE, kExplorerKey, "AlwaysUnloadDLL", REG_SZ, value, static_cast<DWORD>(strlen(value) + 1));
}

// "none" when the value is missing.
std::string UnloadSwitch()
{
    char value[16] = "none";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, kExplorerKey, "AlwaysUnloadDLL", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

class ProcessDlgTest : public ::testing::Test {
protected:
    void TearDown() override { explorer_.Restore(); }

    RecordingHost host_;
    RegistrySnapshot explorer_{HKEY_LOCAL_MACHINE, kExplorerKey};
};

TEST_F(ProcessDlgTest, ListsRefusesEndsAndStoresTheUnloadSwitch)
{
    ChildFolder folder("guard");
    SleepingChild own(folder.path(), "TideWell_probe.exe"), plain(folder.path(), "plain.exe");
    ASSERT_TRUE(own.Started() && plain.Started());
    SetUnloadSwitch("01");
    bool family9x = false;
    win32::Modeless<CProcessDlg> dlg([&] { return family9x; });
    ASSERT_TRUE(dlg.CreateModeless());
    EXPECT_TRUE(dlg.IsChecked(IDC_DLL_CHECK));
    const HWND window = dlg.hwnd();
    const win32::ListView list(dlg.Item(IDC_PROCESS_LIST));
    const auto rowOf = [&](const ChildProcess& child) {
        for (int i = 0; i < dlg.Processes().Count(); ++i) {
            if (dlg.Processes().ProcessId(i) == child.Id())
                return i;
        }
        return -1;
    };
    const auto endArmed = [&] { return IsItemEnabled(window, IDC_KILLPROCESS_BT); };
    // A child is listed once its main module is loaded.
    ASSERT_TRUE(PumpUntil([&] {
        ClickButton(window, IDC_REFRESHPROCESS_BT);
        return rowOf(own) >= 0 && rowOf(plain) >= 0;
    }));
    EXPECT_EQ(list.RowCount(), dlg.Processes().Count());
    EXPECT_EQ(ImageList_GetImageCount(dlg.Images()), list.RowCount()) << "the image list is emptied at each fill";

    NotifyClickOffRows(window, IDC_PROCESS_LIST);
    EXPECT_FALSE(endArmed()) << "a click on no row arms nothing";
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_KILLPROCESS_BT, BN_CLICKED), 0);
    EXPECT_TRUE(host_.boxes.empty()) << "the end command without a row does nothing";

    EXPECT_EQ(list.GetCell(rowOf(own), 2), kMemoryManagerText);
    // Wine opens every process with full access: give one row the text an unreadable working set shows.
    list.SetCell(rowOf(plain), 2, kSystemServiceText);
    const struct {
        const ChildProcess* child;
        const char* message;
    } refusals[] = {{&own, "strKillMeMessage"}, {&plain, "strKillSysServiceMessage"}};
    for (const auto& refused : refusals) {
        host_.boxes.clear();
        ClickListRow(list.hwnd(), rowOf(*refused.child));
        ClickButton(window, IDC_KILLPROCESS_BT);
        ASSERT_EQ(host_.boxes.size(), 1u) << refused.message;
        EXPECT_EQ(host_.boxes[0].text, UiText(refused.message));
        EXPECT_FALSE(refused.child->HasEnded()) << refused.message;
        EXPECT_FALSE(endArmed());
    }

    ClickButton(window, IDC_REFRESHPROCESS_BT);
    int row = rowOf(plain);
    EXPECT_EQ(_stricmp(list.GetCell(row, 0).c_str(), plain.Path().c_str()), 0) << list.GetCell(row, 0);
    EXPECT_EQ(list.GetCell(row, 1), FormatProcessId(plain.Id()));
    ClickListRow(list.hwnd(), row);
    ClickButton(window, IDC_KILLPROCESS_BT);
    EXPECT_TRUE(plain.HasEnded());
    EXPECT_EQ(rowOf(plain), -1) << "the list is filled again";
    double megabytes = 1.0;
    EXPECT_FALSE(CProcessList::GetProcessWorkingSetMB(plain.Id(), megabytes));
    EXPECT_EQ(megabytes, 0.0);
    EXPECT_FALSE(CProcessList::KillProcess(plain.Id())) << "an ended process is not ended again";

    family9x = true;
    ClickButton(window, IDC_REFRESHPROCESS_BT);
    row = rowOf(own);
    ASSERT_GE(row, 0);
    EXPECT_EQ(_stricmp(list.GetCell(row, 0).c_str(), own.Path().c_str()), 0) << list.GetCell(row, 0);
    EXPECT_EQ(list.GetCell(row, 2), UiText("strMemStatusQueryError"));

    ClickButton(window, IDC_DLL_CHECK);
    EXPECT_EQ(UnloadSwitch(), "01") << "nothing is written before the dialog closes";
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(UnloadSwitch(), "none") << "unchecked deletes the value";
    SetUnloadSwitch("0");
    win32::Modeless<CProcessDlg> again([] { return false; });
    ASSERT_TRUE(again.CreateModeless());
    EXPECT_FALSE(again.IsChecked(IDC_DLL_CHECK));
    ClickButton(again.hwnd(), IDC_DLL_CHECK);
    SendMessageA(again.hwnd(), WM_CLOSE, 0, 0); // the dialog manager posts the cancel
    EXPECT_TRUE(PumpUntil([&] { return again.hwnd() == nullptr; }));
    EXPECT_EQ(UnloadSwitch(), "1");
}

} // namespace
