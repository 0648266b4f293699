#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/registry_snapshot_win.h"
#include "support/message_pump_win.h"
#include "support/child_process_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/process/process_view.h"
#include "tools/process/tool_dialog_test_win.h"

using namespace testing_support;

namespace {

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

void SetUnloadSwitch(const std::optional<std::string>& value)
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return;
    if (value)
        key.SetString("AlwaysUnloadDLL", *value);
    else
        key.DeleteValue("AlwaysUnloadDLL");
}

std::optional<std::string> UnloadSwitch()
{
    CRegistryKey key;
    std::string value;
    DWORD type = 0;
    if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_READ) != ERROR_SUCCESS ||
        RegQueryValueExA(key.Handle(), "AlwaysUnloadDLL", nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    key.QueryString(value, "AlwaysUnloadDLL");
    return value;
}

void WaitUntilListed(std::initializer_list<const SleepingChild*> children, bool toolHelp = false)
{
    CProcessList list;
    const bool listed = PumpUntil([&] {
        if (!list.Refresh(toolHelp))
            return false;
        for (const SleepingChild* child : children) {
            bool found = false;
            for (int i = 0; i < list.Count(); ++i)
                found = found || list.ProcessId(i) == child->Id();
            if (!found)
                return false;
        }
        return true;
    });
    ASSERT_TRUE(listed);
}

class ProcessDlgTest : public ::testing::Test {
protected:
    void SetUp() override { InitListViews(); }
    void TearDown() override { explorer_.Restore(); }

    std::unique_ptr<win32::Modeless<CProcessDlg>> Open(bool family9x = false)
    {
        auto dlg = std::make_unique<win32::Modeless<CProcessDlg>>([family9x] { return family9x; });
        EXPECT_TRUE(dlg->CreateModeless());
        return dlg;
    }
    static win32::ListView List(const CProcessDlg& dlg) { return win32::ListView(dlg.Item(IDC_PROCESS_LIST)); }
    static int RowOf(const CProcessDlg& dlg, DWORD id)
    {
        for (int i = 0; i < dlg.Processes().Count(); ++i) {
            if (dlg.Processes().ProcessId(i) == id)
                return i;
        }
        return -1;
    }
    static bool EndEnabled(const CProcessDlg& dlg) { return IsWindowEnabled(dlg.Item(IDC_KILLPROCESS_BT)) != FALSE; }

    RecordingHost host_;
    RegistrySnapshot explorer_{HKEY_LOCAL_MACHINE, kExplorerKey};
};

TEST_F(ProcessDlgTest, OneRowPerProcessAndOnlyAMouseClickOnARowArmsTheEndButton)
{
    auto dlg = Open();
    const auto list = List(*dlg);
    EXPECT_GE(list.RowCount(), 3);
    EXPECT_EQ(list.RowCount(), dlg->Processes().Count());
    ASSERT_EQ(list.FocusedRow(), -1);
    ASSERT_TRUE(ClickListBelowRows(list.hwnd()));
    EXPECT_FALSE(EndEnabled(*dlg));
    SendMessageA(dlg->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_KILLPROCESS_BT, BN_CLICKED), 0);
    EXPECT_TRUE(host_.boxes.empty()) << "the end command without a focused row does nothing";

    SetFocus(list.hwnd());
    SendMessageA(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_GE(list.FocusedRow(), 0);
    EXPECT_FALSE(EndEnabled(*dlg)) << "keyboard moves do not arm it";

    ClickListRow(list.hwnd(), 1);
    EXPECT_EQ(list.FocusedRow(), 1);
    EXPECT_TRUE(EndEnabled(*dlg));
    for (int i = 0; i < 2; ++i) {
        ClickButton(dlg->hwnd(), IDC_REFRESHPROCESS_BT);
        EXPECT_EQ(ImageList_GetImageCount(dlg->Images()), list.RowCount()) << "the image list is emptied";
    }
    EXPECT_FALSE(EndEnabled(*dlg)) << "a refresh disarms it";
}

TEST_F(ProcessDlgTest, ProtectedProcessesAreRefusedAndAPlainOneEnds)
{
    ChildFolder folder("guard");
    const struct {
        const char* exe;
        const char* message;
        bool memoryManager, serviceRow;
    } cases[] = {
        {"explorer_probe.exe", "strKillSysServiceMessage", false, false},
        {"TideWell_probe.exe", "strKillMeMessage", true, false},
        // Wine opens every process with full access: give this row the text an unreadable
        // working set would show.
        {"sleeper.exe", "strKillSysServiceMessage", false, true},
    };
    std::vector<std::unique_ptr<SleepingChild>> children;
    for (const auto& c : cases) {
        children.push_back(std::make_unique<SleepingChild>(folder.path(), c.exe));
        ASSERT_TRUE(children.back()->Started()) << c.exe;
        WaitUntilListed({children.back().get()});
    }
    SleepingChild plain(folder.path(), "plain.exe");
    WaitUntilListed({&plain});
    auto dlg = Open();
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(cases[i].exe);
        const int row = RowOf(*dlg, children[i]->Id());
        ASSERT_GE(row, 0);
        EXPECT_EQ(List(*dlg).GetCell(row, 2) == kMemoryManagerText, cases[i].memoryManager);
        if (cases[i].serviceRow)
            List(*dlg).SetCell(row, 2, kSystemServiceText);
        host_.boxes.clear();
        ClickListRow(List(*dlg).hwnd(), row);
        ClickButton(dlg->hwnd(), IDC_KILLPROCESS_BT);
        ASSERT_EQ(host_.boxes.size(), 1u);
        EXPECT_EQ(host_.boxes[0].text, UiText(cases[i].message));
        EXPECT_EQ(host_.boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_FALSE(children[i]->HasEnded(100));
        EXPECT_FALSE(EndEnabled(*dlg));
    }

    const int row = RowOf(*dlg, plain.Id());
    ASSERT_GE(row, 0);
    const auto list = List(*dlg);
    EXPECT_EQ(_stricmp(list.GetCell(row, 0).c_str(), plain.Path().c_str()), 0) << list.GetCell(row, 0);
    EXPECT_EQ(list.GetCell(row, 1), FormatProcessId(plain.Id()));
    const std::string memory = list.GetCell(row, 2);
    ASSERT_GE(memory.size(), 7u) << memory;
    EXPECT_EQ(memory.substr(memory.size() - 2), "MB");
    EXPECT_GT(std::stod(memory), 0.0) << memory;
    host_.boxes.clear();
    ClickListRow(list.hwnd(), row);
    ASSERT_TRUE(EndEnabled(*dlg));
    ClickButton(dlg->hwnd(), IDC_KILLPROCESS_BT);
    EXPECT_TRUE(plain.HasEnded(1000));
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(RowOf(*dlg, plain.Id()), -1) << "the list was filled again";
    EXPECT_EQ(list.RowCount(), dlg->Processes().Count());
    EXPECT_FALSE(EndEnabled(*dlg));
}

TEST_F(ProcessDlgTest, Windows9xFamilyListsByToolHelpWithoutMemoryFigures)
{
    ChildFolder folder("nine");
    SleepingChild child(folder.path(), "sleeper.exe");
    WaitUntilListed({&child}, true);
    auto dlg = Open(true);
    ASSERT_GE(RowOf(*dlg, child.Id()), 0);
    const auto list = List(*dlg);
    for (int row = 0; row < list.RowCount(); ++row)
        EXPECT_EQ(list.GetCell(row, 2), UiText("strMemStatusQueryError")) << "row " << row;
}

TEST_F(ProcessDlgTest, UnloadSwitchIsReadAtOpeningAndStoredOnCancel)
{
    const struct {
        std::optional<std::string> stored;
        bool checked;
    } readCases[] = {{"01", true}, {"0", false}};
    for (const auto& c : readCases) {
        SetUnloadSwitch(c.stored);
        auto dlg = Open();
        EXPECT_EQ(dlg->IsChecked(IDC_DLL_CHECK), c.checked) << c.stored.value_or("(none)");
    }

    SetUnloadSwitch(std::nullopt);
    {
        auto dlg = Open();
        ClickButton(dlg->hwnd(), IDC_DLL_CHECK);
        EXPECT_EQ(UnloadSwitch(), std::nullopt) << "nothing is written before the dialog closes";
        SendMessageA(dlg->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_EQ(dlg->hwnd(), nullptr);
        EXPECT_EQ(UnloadSwitch(), std::optional<std::string>("1"));
    }
    {
        auto dlg = Open();
        ASSERT_TRUE(dlg->IsChecked(IDC_DLL_CHECK));
        ClickButton(dlg->hwnd(), IDC_DLL_CHECK);
        SendMessageA(dlg->hwnd(), WM_CLOSE, 0, 0); // the dialog manager posts the cancel
        EXPECT_TRUE(PumpUntil([&] { return dlg->hwnd() == nullptr; }));
        EXPECT_EQ(UnloadSwitch(), std::nullopt) << "unchecked deletes the value";
    }
}

} // namespace
