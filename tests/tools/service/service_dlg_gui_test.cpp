// The service manager dialog, created modeless and driven with messages and real clicks. A
// dummy service stands in for the Telnet row, which Wine does not have.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "tools/process/tool_dialog_test_win.h"
#include "tools/service/dummy_service_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/service/service_logic.h"

using namespace testing_support;

namespace {

constexpr int kTelnetRow = 8;
constexpr int kRemovableStorageRow = 3; // NtmsSvc: not in Wine
constexpr const char* kDescription = "Stands in for Telnet in the tests.";

// Puts back the start type and state of the table's services that Wine has.
class SavedTableServices {
public:
    SavedTableServices()
    {
        manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        for (const ServiceEntry& entry : kServiceTable) {
            SC_HANDLE service = OpenServiceA(manager_, entry.serviceName, SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS);
            if (!service)
                continue;
            std::vector<BYTE> buffer(8192);
            DWORD needed = 0;
            SERVICE_STATUS status{};
            if (QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data()),
                                    static_cast<DWORD>(buffer.size()), &needed) &&
                QueryServiceStatus(service, &status))
                saved_.push_back({entry.serviceName,
                                  reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data())->dwStartType,
                                  status.dwCurrentState == SERVICE_RUNNING});
            CloseServiceHandle(service);
        }
    }
    ~SavedTableServices()
    {
        for (const Saved& s : saved_) {
            SC_HANDLE service = OpenServiceA(manager_, s.name.c_str(), SERVICE_ALL_ACCESS);
            if (!service)
                continue;
            ChangeServiceConfigA(service, SERVICE_NO_CHANGE, s.startType, SERVICE_NO_CHANGE, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr);
            SERVICE_STATUS status{};
            if (QueryServiceStatus(service, &status) && (status.dwCurrentState == SERVICE_RUNNING) != s.running) {
                if (s.running)
                    StartServiceA(service, 0, nullptr);
                else
                    ControlService(service, SERVICE_CONTROL_STOP, &status);
            }
            CloseServiceHandle(service);
        }
        if (manager_)
            CloseServiceHandle(manager_);
    }
    SavedTableServices(const SavedTableServices&) = delete;
    SavedTableServices& operator=(const SavedTableServices&) = delete;

private:
    struct Saved {
        std::string name;
        DWORD startType;
        bool running;
    };
    SC_HANDLE manager_ = nullptr;
    std::vector<Saved> saved_;
};

int RowImage(HWND list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int ColumnWidth(HWND list, int column)
{
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

class ServiceDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitListViews();
        ASSERT_TRUE(telnet_.Installed());
        ASSERT_TRUE(telnet_.SetDescription(kDescription));
    }
    void Open()
    {
        dlg_ = std::make_unique<win32::Modeless<CServiceDlg>>();
        ASSERT_TRUE(dlg_->CreateModeless());
        list_ = win32::ListView(dlg_->Item(IDC_SERVICE_LIST));
    }
    bool Enabled(int id) const { return IsWindowEnabled(dlg_->Item(id)) != FALSE; }
    void ClickRowAndButton(int row, int button)
    {
        ClickListRow(list_.hwnd(), row);
        ClickButton(dlg_->hwnd(), button);
    }

    RecordingHost host_;
    SavedTableServices savedTable_;
    DummyService telnet_{"TlntSvr"};
    std::unique_ptr<win32::Modeless<CServiceDlg>> dlg_;
    win32::ListView list_;
};

TEST_F(ServiceDlgTest, ListsTheThirteenServicesWithAbsentAndRunningRows)
{
    ASSERT_TRUE(telnet_.Start());
    Open();
    const int widths[] = {200, 60, 0, 240, 0};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(ColumnWidth(list_.hwnd(), c), widths[c]) << "column " << c;
    ASSERT_EQ(list_.RowCount(), kServiceCount);
    for (int row = 0; row < kServiceCount; ++row)
        EXPECT_EQ(list_.GetCell(row, 0), kServiceTable[static_cast<size_t>(row)].displayName);
    EXPECT_FALSE(Enabled(IDC_StartSEVONE_BT));
    EXPECT_FALSE(Enabled(IDC_STOPSEVONE_BT));
    const std::string guide = dlg_->GetItemText(IDC_STATICSERVICESM);
    ASSERT_TRUE(ClickListBelowRows(list_.hwnd()));
    EXPECT_FALSE(Enabled(IDC_STOPSEVONE_BT));
    EXPECT_EQ(dlg_->GetItemText(IDC_STATICSERVICESM), guide);
    SendMessageA(dlg_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_STOPSEVONE_BT, BN_CLICKED), 0);
    EXPECT_EQ(telnet_.State(), static_cast<DWORD>(SERVICE_RUNNING)) << "nothing without a current row";

    EXPECT_EQ(list_.GetCell(kRemovableStorageRow, 1), UiText("strServiceStatus2"));
    EXPECT_EQ(RowImage(list_.hwnd(), kRemovableStorageRow), 0);
    for (int column : {2, 3, 4})
        EXPECT_EQ(list_.GetCell(kRemovableStorageRow, column), "") << "column " << column;
    ClickListRow(list_.hwnd(), kRemovableStorageRow);
    EXPECT_EQ(dlg_->GetItemText(IDC_STATICSERVICESM), UiText("strServiceGuide"));

    EXPECT_EQ(RowImage(list_.hwnd(), kTelnetRow), 1);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 1), UiText("strServiceStatus1"));
    EXPECT_EQ(list_.GetCell(kTelnetRow, 2), "Automatic");
    EXPECT_EQ(list_.GetCell(kTelnetRow, 3), kDescription);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 4), telnet_.BinaryPath());
    ClickListRow(list_.hwnd(), kTelnetRow);
    EXPECT_TRUE(Enabled(IDC_StartSEVONE_BT));
    EXPECT_TRUE(Enabled(IDC_STOPSEVONE_BT));
    EXPECT_EQ(dlg_->GetItemText(IDC_STATICSERVICESM), UiText("strServiceGuide") + kDescription);
    EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(ServiceDlgTest, StopOneThenStartOne)
{
    ASSERT_TRUE(telnet_.Start());
    Open();
    ClickRowAndButton(kTelnetRow, IDC_STOPSEVONE_BT);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 2), "HandWork");
    const std::string status = list_.GetCell(kTelnetRow, 1);
    EXPECT_TRUE(status == UiText("strServiceStatus3") || status == UiText("strServiceStatus2")) << status;
    ASSERT_TRUE(telnet_.WaitForState(SERVICE_STOPPED));

    ClickRowAndButton(kTelnetRow, IDC_StartSEVONE_BT);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 1), UiText("strServiceStatus1")) << "the start is waited for";
    EXPECT_EQ(list_.GetCell(kTelnetRow, 2), "Automatic");
    EXPECT_EQ(RowImage(list_.hwnd(), kTelnetRow), 1);
}

TEST_F(ServiceDlgTest, StartAllStopAllAndConsoleKeepsTheListAndCancelUnloads)
{
    Open();
    ClickButton(dlg_->hwnd(), IDC_StartSEVALL_BT);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 1), UiText("strServiceStatus1"));
    EXPECT_EQ(telnet_.State(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(list_.GetCell(kRemovableStorageRow, 1), UiText("strServiceStatus2"));

    ClickButton(dlg_->hwnd(), IDC_STOPSEVALL_BT);
    EXPECT_EQ(list_.GetCell(kTelnetRow, 2), "HandWork");
    EXPECT_NE(list_.GetCell(kTelnetRow, 1), UiText("strServiceStatus1"));
    EXPECT_TRUE(telnet_.WaitForState(SERVICE_STOPPED));

    list_.SetCell(kTelnetRow, 3, "marker");
    // Wine has no services.msc: the shell fails quietly, as it would for a missing console.
    ClickButton(dlg_->hwnd(), IDC_STARTSYSSEVBT);
    ASSERT_TRUE(IsWindow(dlg_->hwnd()));
    EXPECT_EQ(list_.GetCell(kTelnetRow, 3), "marker") << "the list is not refreshed";
    EXPECT_TRUE(dlg_->ServiceControl().IsLoaded());
    SendMessageA(dlg_->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(dlg_->hwnd(), nullptr);
    EXPECT_FALSE(dlg_->ServiceControl().IsLoaded());
}

} // namespace
