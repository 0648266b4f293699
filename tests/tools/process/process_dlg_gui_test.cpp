// The process manager dialog, created modeless and driven with messages and real clicks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "common/registry_key_win.h"
#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/screenshot_win.h"
#include "tools/process/child_process_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/process/process_view.h"
#include "tools/process/tool_dialog_test_win.h"

using namespace testing_support;

namespace {

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// Keeps AlwaysUnloadDLL as it was before the test.
class SavedUnloadSwitch {
public:
    SavedUnloadSwitch()
    {
        CRegistryKey key;
        std::string value;
        if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_READ) == ERROR_SUCCESS &&
            key.QueryString(value, "AlwaysUnloadDLL") == ERROR_SUCCESS)
            saved_ = value;
    }
    ~SavedUnloadSwitch() { Set(saved_); }
    static void Set(const std::optional<std::string>& value)
    {
        CRegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, kExplorerKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
            return;
        if (value)
            key.SetString("AlwaysUnloadDLL", *value);
        else
            key.DeleteValue("AlwaysUnloadDLL");
    }
    static std::optional<std::string> Get()
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

private:
    std::optional<std::string> saved_;
};

// Waits until every child is listed, so that a dialog's first fill shows them.
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

    std::unique_ptr<CProcessDlg> Open(bool family9x = false)
    {
        auto dlg = std::make_unique<CProcessDlg>([family9x] { return family9x; });
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

    RecordingUiHost host_;
    SavedUnloadSwitch savedSwitch_;
};

std::string ColumnHeader(HWND list, int column, int* width = nullptr, int* format = nullptr)
{
    char text[128] = {};
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    if (width)
        *width = c.cx;
    if (format)
        *format = c.fmt & LVCFMT_JUSTIFYMASK;
    return text;
}

TEST_F(ProcessDlgTest, OpensWithTextsColumnsAndOneRowPerProcess)
{
    auto dlg = Open();
    EXPECT_EQ(dlg->GetCaption(), UiText("IDD_PROCESS_DIALOG"));
    EXPECT_EQ(dlg->GetItemText(IDC_KILLPROCESS_BT), UiText("IDC_KILLPROCESS_BT"));
    EXPECT_EQ(dlg->GetItemText(IDC_REFRESHPROCESS_BT), UiText("IDC_REFRESHPROCESS_BT"));
    EXPECT_EQ(dlg->GetItemText(IDC_DLL_CHECK), UiText("IDC_DLL_CHECK"));
    EXPECT_EQ(dlg->GetItemText(IDCANCEL), UiText("IDCANCELINPRO"));
    const HWND list = dlg->Item(IDC_PROCESS_LIST);
    const struct {
        const char* key;
        int width, format;
    } columns[] = {{"PLISTITEM1", 300, LVCFMT_LEFT}, {"PLISTITEM2", 100, LVCFMT_CENTER}, {"PLISTITEM3", 140, LVCFMT_LEFT}};
    for (int i = 0; i < 3; ++i) {
        int width = 0, format = -1;
        EXPECT_EQ(ColumnHeader(list, i, &width, &format), UiText(columns[i].key));
        EXPECT_EQ(width, columns[i].width) << "column " << i;
        EXPECT_EQ(format, columns[i].format) << "column " << i;
    }
    EXPECT_GE(List(*dlg).RowCount(), 3);
    EXPECT_EQ(List(*dlg).RowCount(), dlg->Processes().Count());
    EXPECT_FALSE(EndEnabled(*dlg));
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(ProcessDlgTest, RefreshEmptiesTheImageListEveryTime)
{
    auto dlg = Open();
    for (int i = 0; i < 3; ++i) {
        ClickButton(dlg->hwnd(), IDC_REFRESHPROCESS_BT);
        EXPECT_EQ(ImageList_GetImageCount(dlg->Images()), List(*dlg).RowCount());
    }
}

TEST_F(ProcessDlgTest, OnlyAMouseClickOnARowArmsTheEndButton)
{
    auto dlg = Open();
    const auto list = List(*dlg);
    ASSERT_EQ(list.FocusedRow(), -1);
    // No row has the focus: a click below the rows and the end command do nothing.
    if (ClickListBelowRows(list.hwnd())) {
        EXPECT_FALSE(EndEnabled(*dlg));
    }
    SendMessageA(dlg->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_KILLPROCESS_BT, BN_CLICKED), 0);
    EXPECT_TRUE(host_.messages.empty());

    SetFocus(list.hwnd());
    SendMessageA(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_GE(list.FocusedRow(), 0);
    EXPECT_FALSE(EndEnabled(*dlg)) << "keyboard moves do not arm it";

    ClickListRow(list.hwnd(), 1);
    EXPECT_EQ(list.FocusedRow(), 1);
    EXPECT_TRUE(EndEnabled(*dlg));
    ClickButton(dlg->hwnd(), IDC_REFRESHPROCESS_BT);
    EXPECT_FALSE(EndEnabled(*dlg)) << "a refresh disarms it";
}

TEST_F(ProcessDlgTest, ChildRowShowsPathHexIdAndMegabytesAndEndsWhenClicked)
{
    ChildFolder folder("end");
    SleepingChild child(folder.path(), "sleeper.exe");
    WaitUntilListed({&child});
    auto dlg = Open();
    const int row = RowOf(*dlg, child.Id());
    ASSERT_GE(row, 0);
    const auto list = List(*dlg);
    EXPECT_EQ(_stricmp(list.GetCell(row, 0).c_str(), child.Path().c_str()), 0) << list.GetCell(row, 0);
    EXPECT_EQ(list.GetCell(row, 1), FormatProcessId(child.Id()));
    const std::string memory = list.GetCell(row, 2);
    ASSERT_GE(memory.size(), 7u) << memory;
    EXPECT_EQ(memory.substr(memory.size() - 2), "MB");
    EXPECT_GT(std::stod(memory), 0.0) << memory;

    ClickListRow(List(*dlg).hwnd(), row);
    ASSERT_TRUE(EndEnabled(*dlg));
    ClickButton(dlg->hwnd(), IDC_KILLPROCESS_BT);
    EXPECT_TRUE(child.HasEnded(1000));
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(RowOf(*dlg, child.Id()), -1) << "the list was filled again";
    EXPECT_EQ(List(*dlg).RowCount(), dlg->Processes().Count());
    EXPECT_FALSE(EndEnabled(*dlg));
}

TEST_F(ProcessDlgTest, ProtectedProcessesAreRefusedAndKeepRunning)
{
    ChildFolder folder("guard");
    const struct {
        const char* exe;
        const char* message;
        bool memoryManager;
    } cases[] = {
        {"explorer_probe.exe", "strKillSysServiceMessage", false},
        {"kernel32probe.exe", "strKillSysServiceMessage", false},
        {"mprexe.exe", "strKillSysServiceMessage", false},
        {"TideWell_probe.exe", "strKillMeMessage", true},
        {"tidewell_kernel32.exe", "strKillSysServiceMessage", true},
    };
    std::vector<std::unique_ptr<SleepingChild>> children;
    for (const auto& c : cases) {
        children.push_back(std::make_unique<SleepingChild>(folder.path(), c.exe));
        ASSERT_TRUE(children.back()->Started()) << c.exe;
        WaitUntilListed({children.back().get()});
    }
    auto dlg = Open();
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(cases[i].exe);
        const int row = RowOf(*dlg, children[i]->Id());
        ASSERT_GE(row, 0);
        EXPECT_EQ(List(*dlg).GetCell(row, 2) == kMemoryManagerText, cases[i].memoryManager);
        host_.messages.clear();
        ClickListRow(List(*dlg).hwnd(), row);
        ClickButton(dlg->hwnd(), IDC_KILLPROCESS_BT);
        ASSERT_EQ(host_.messages.size(), 1u);
        EXPECT_EQ(host_.messages[0].text, UiText(cases[i].message));
        EXPECT_EQ(host_.messages[0].caption, "Tidewell");
        EXPECT_EQ(host_.messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_FALSE(children[i]->HasEnded(100));
        EXPECT_FALSE(EndEnabled(*dlg));
    }
}

TEST_F(ProcessDlgTest, SystemServiceRowIsRefused)
{
    ChildFolder folder("service");
    SleepingChild child(folder.path(), "sleeper.exe");
    WaitUntilListed({&child});
    auto dlg = Open();
    const int row = RowOf(*dlg, child.Id());
    ASSERT_GE(row, 0);
    // Wine opens every process with full access, so no row reads "System Service" by itself:
    // give the child's row that text, as an unreadable working set would.
    List(*dlg).SetCell(row, 2, kSystemServiceText);
    ClickListRow(List(*dlg).hwnd(), row);
    ClickButton(dlg->hwnd(), IDC_KILLPROCESS_BT);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, UiText("strKillSysServiceMessage"));
    EXPECT_FALSE(child.HasEnded(100));
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
    } readCases[] = {{"1", true}, {"01", true}, {"0", false}, {"", false}, {std::nullopt, false}};
    for (const auto& c : readCases) {
        SavedUnloadSwitch::Set(c.stored);
        auto dlg = Open();
        EXPECT_EQ(dlg->IsChecked(IDC_DLL_CHECK), c.checked) << c.stored.value_or("(none)");
    }

    SavedUnloadSwitch::Set(std::nullopt);
    {
        auto dlg = Open();
        ClickButton(dlg->hwnd(), IDC_DLL_CHECK);
        EXPECT_EQ(SavedUnloadSwitch::Get(), std::nullopt) << "nothing is written before the dialog closes";
        SendMessageA(dlg->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_EQ(dlg->hwnd(), nullptr);
        EXPECT_EQ(SavedUnloadSwitch::Get(), std::optional<std::string>("1"));
    }
    {
        auto dlg = Open();
        ASSERT_TRUE(dlg->IsChecked(IDC_DLL_CHECK));
        ClickButton(dlg->hwnd(), IDC_DLL_CHECK);
        SendMessageA(dlg->hwnd(), WM_CLOSE, 0, 0); // the dialog manager posts the cancel
        EXPECT_TRUE(PumpUntil([&] { return dlg->hwnd() == nullptr; }));
        EXPECT_EQ(SavedUnloadSwitch::Get(), std::nullopt) << "unchecked deletes the value";
    }
}

TEST(ProcessScreenshot, ProcessManager)
{
    if (!ScreenshotsWanted())
        GTEST_SKIP() << "pictures are taken by make screenshot";
    InitListViews();
    ChildFolder folder("shot");
    SleepingChild child(folder.path(), "sleeper.exe");
    WaitUntilListed({&child});
    CProcessDlg dlg([] { return false; });
    ASSERT_TRUE(dlg.CreateModeless());
    ClickListRow(dlg.Item(IDC_PROCESS_LIST), 1);
    EXPECT_TRUE(SaveScreenshot(dlg.hwnd(), "process"));
}

} // namespace
