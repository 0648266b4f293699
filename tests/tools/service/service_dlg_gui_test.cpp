// The service manager walked through for real, with a dummy service standing in for Telnet, which
// Wine does not have: listed, stopped and started one at a time and all together.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <list>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/dummy_service_win.h"
#include "support/registry_snapshot_win.h"
#include "support/test_paths.h"
#include "support/tool_dialog_clicks_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/service/service_logic.h"

using namespace testing_support;

namespace {

constexpr int kTelnetRow = 8;
constexpr int kAbsentRow = 3; // NtmsSvc: not in Wine
constexpr const char* kDescription = "Stands in for Telnet in the tests.";

int RowImage(HWND list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

TEST(ServiceDlg, ListsStopsAndStartsWhatTheTableNames)
{
    RecordingHost host;
    std::list<KeptService> table;
    for (const ServiceEntry& entry : kServiceTable)
        table.emplace_back(entry.serviceName);
    DummyService telnet("TlntSvr");
    ASSERT_TRUE(telnet.SetDescription(kDescription));
    ASSERT_TRUE(telnet.Start());
    win32::Modeless<CServiceDlg> dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    const HWND window = dlg.hwnd();
    const win32::ListView list(dlg.Item(IDC_SERVICE_LIST));
    const auto cell = [&](int column) { return list.GetCell(kTelnetRow, column); };
    const auto clickTelnetAnd = [&](int button) {
        ClickListRow(list.hwnd(), kTelnetRow);
        ClickButton(window, button);
    };

    ASSERT_EQ(list.RowCount(), kServiceCount);
    EXPECT_EQ(list.GetCell(kAbsentRow, 1), UiText("strServiceStatus2"));
    EXPECT_EQ(list.GetCell(kAbsentRow, 2) + list.GetCell(kAbsentRow, 3) + list.GetCell(kAbsentRow, 4), "");
    EXPECT_EQ(cell(0), "Telnet");
    EXPECT_EQ(cell(3), kDescription);
    EXPECT_EQ(cell(4), telnet.BinaryPath());
    EXPECT_EQ(RowImage(list.hwnd(), kTelnetRow), 1);

    NotifyClickOffRows(window, IDC_SERVICE_LIST);
    EXPECT_FALSE(IsItemEnabled(window, IDC_STOPSEVONE_BT) || IsItemEnabled(window, IDC_StartSEVONE_BT));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_STOPSEVONE_BT, BN_CLICKED), 0);
    EXPECT_EQ(telnet.State(), static_cast<DWORD>(SERVICE_RUNNING)) << "nothing without a current row";
    ClickListRow(list.hwnd(), kTelnetRow);
    EXPECT_TRUE(IsItemEnabled(window, IDC_STOPSEVONE_BT) && IsItemEnabled(window, IDC_StartSEVONE_BT));
    EXPECT_EQ(dlg.GetItemText(IDC_STATICSERVICESM), UiText("strServiceGuide") + kDescription);

    ASSERT_TRUE(telnet.SetDescription("Returns null when idle."));
    clickTelnetAnd(IDC_STOPSEVONE_BT);
    EXPECT_EQ(cell(2), "HandWork");
    EXPECT_EQ(cell(3), "") << "a description with null in it is not shown";
    EXPECT_EQ(RowImage(list.hwnd(), kTelnetRow), 0);
    ASSERT_TRUE(telnet.WaitForState(SERVICE_STOPPED));
    ASSERT_TRUE(telnet.SetStartType(SERVICE_DISABLED));
    clickTelnetAnd(IDC_STOPSEVONE_BT);
    EXPECT_EQ(cell(2), "Disabled") << "a service that is not running keeps its start type";

    clickTelnetAnd(IDC_StartSEVONE_BT);
    EXPECT_EQ(cell(1), UiText("strServiceStatus1")) << "the start is waited for";
    EXPECT_EQ(cell(2), "Automatic");
    ASSERT_TRUE(telnet.SetStartType(SERVICE_DEMAND_START));
    clickTelnetAnd(IDC_StartSEVONE_BT); // already running: the start fails
    EXPECT_EQ(cell(2), "Automatic") << "set even when the start fails";

    ClickButton(window, IDC_STOPSEVALL_BT);
    ASSERT_TRUE(telnet.WaitForState(SERVICE_STOPPED));
    ClickButton(window, IDC_StartSEVALL_BT);
    EXPECT_EQ(cell(1), UiText("strServiceStatus1"));

    // The console is the system's program by its path: an association of .msc files, which a plain
    // user can set among the classes, is never followed. Wine has no console: that fails quietly.
    list.SetCell(kTelnetRow, 3, "marker");
    const ScratchDir scratch("service-console");
    char system[MAX_PATH];
    const std::string msc = std::string(system, GetSystemDirectoryA(system, MAX_PATH)) + "\\services.msc";
    WriteWholeFile(msc, "");
    RegistrySnapshot association(HKEY_CLASSES_ROOT, ".msc");
    const std::string handler = "cmd.exe /c echo>\"" + scratch.File("followed") + "\"";
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".msc", "", REG_SZ, ".msc", 5)); // the key is its own class
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".msc\\shell\\open\\command", "", REG_SZ, handler.c_str(),
                           static_cast<DWORD>(handler.size() + 1)));
    ClickButton(window, IDC_STARTSYSSEVBT);
    EXPECT_FALSE(PumpUntil([&] { return std::filesystem::exists(scratch.File("followed")); }, 3000));
    association.Restore();
    DeleteFileA(msc.c_str());
    EXPECT_EQ(cell(3), "marker") << "opening the console leaves the list as it is";
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(dlg.hwnd(), nullptr);
    EXPECT_FALSE(dlg.ServiceControl().IsLoaded());
    EXPECT_FALSE(CServiceControl().Load("kernel32.dll")) << "a library without the service functions";
}

} // namespace
