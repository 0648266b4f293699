// The main window's runs with the chosen cleaning methods: the system operations once per run on
// the worker, their refusals in the report, the classic runs untouched, and the automatic clean on
// a full standby list. The NT calls are recorded; Wine's own change nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "app/main_dlg_fixture_win.h"
#include "common/resource_text.h"
#include "memory/memory_lists_win.h"
#include "memory/report_dlg_win.h"

using testing_support::MainDlgTest;

namespace {

class MethodRuns : public MainDlgTest {
protected:
    void SetUp() override
    {
        MainDlgTest::SetUp();
        NtSystemCalls calls;
        calls.set = [this](uint32_t infoClass, void* data, uint32_t) {
            std::lock_guard<std::mutex> lock(lock_);
            operations_.push_back(infoClass * 100 + *static_cast<unsigned char*>(data));
            onUiThread_ = onUiThread_ || GetCurrentThreadId() == uiThread_;
            return operations_.size() == 1 ? kStatusPrivilegeNotHeld : kStatusSuccess;
        };
        calls.query = [this](uint32_t, void* data, uint32_t) {
            auto* counts = static_cast<ULONG_PTR*>(data);
            for (int priority = 0; priority < 8; ++priority)
                counts[5 + priority] = standbyPages_;
            return kStatusSuccess;
        };
        SetNtSystemCalls(calls);
    }
    void TearDown() override
    {
        SetNtSystemCalls({});
        MainDlgTest::TearDown();
    }
    std::vector<uint32_t> Operations()
    {
        std::lock_guard<std::mutex> lock(lock_);
        return operations_;
    }
    void OrganiseToTheEnd()
    {
        Command(IDC_LZL_BUTTON);
        for (int tick = 0; tick < 8; ++tick)
            Tick(CMainDlg::kOrganiseTimer);
        ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    }

    std::mutex lock_;
    std::vector<uint32_t> operations_; // information class x 100 + memory-list command
    const DWORD uiThread_ = GetCurrentThreadId();
    bool onUiThread_ = false;
    ULONG_PTR standbyPages_ = 0; // per priority, eight priorities
};

TEST_F(MethodRuns, EveryRunCallsTheOperationsOnceOnItsWorkerAndClassicRunsCallNone)
{
    Store(kCleanMethods, kEmptyWorkingSets | kPurgeStandbyList);
    std::string reportLines;
    host_.modal = [&](win32::Dialog& dialog) {
        modals_.push_back(dialog.TemplateId());
        if (dialog.TemplateId() == IDD_REPORT_DIALOG && dialog.CreateModeless()) {
            reportLines = dialog.GetItemText(IDC_REPORT_METHODS);
            DestroyWindow(dialog.hwnd());
        }
        return IDOK;
    };
    Open();
    Command(IDC_CLEANRAM_BT);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_EQ(Operations(), (std::vector<uint32_t>{8002, 8004}));
    EXPECT_NE(reportLines.find(UiText("MethodNoPrivilege")), std::string::npos) << reportLines;
    EXPECT_NE(reportLines.find(UiText("MethodDone")), std::string::npos) << reportLines;

    OrganiseToTheEnd();
    Command(ID_TRAY_CLEAN_HALF);
    EXPECT_TRUE(CleanState.busy) << "the tray's clean runs on the worker too";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_EQ(Operations(), (std::vector<uint32_t>{8002, 8004, 8002, 8004, 8002, 8004}));
    EXPECT_FALSE(onUiThread_);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 3);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(GaugePos(), 0);

    Store(kCleanMethods, kFillAndRelease);
    Command(ID_TRAY_CLEAN_QUARTER);
    EXPECT_FALSE(CleanState.busy) << "the classic tray step, at once as before";
    Command(IDC_CLEANRAM_BT);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    OrganiseToTheEnd();
    EXPECT_EQ(Operations().size(), 6u);
    EXPECT_EQ(reportLines, "") << "a classic run reports the figures alone";
}

TEST_F(MethodRuns, FullStandbyListAsksLikeLowMemoryWithTheSameRearming)
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const ULONG_PTR fortyPercent =
        (256 * testing_support::kMB * 40 / 100 + 8 * system.dwPageSize - 1) / (8 * system.dwPageSize);
    Store(kSoundAlert, 0);
    Store(kAutoDefrag, 0); // free memory alone would ask at 75 %
    Store(kRamAlertValue, 75);
    Store(kStandbyAutoClean, 1);
    Store(kStandbyAlertValue, 40);
    Open();
    standbyPages_ = fortyPercent - 1;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 0) << "just below its share";
    standbyPages_ = fortyPercent;
    Tick(CMainDlg::kRulesTimer);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 1) << "asked once, then disarmed by the cancel";
    standbyPages_ = 0;
    Tick(CMainDlg::kRulesTimer);
    standbyPages_ = fortyPercent;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2) << "armed again once the list had shrunk";
}

} // namespace
