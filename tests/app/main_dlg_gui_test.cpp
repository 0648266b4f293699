// The real main window driven by its timers and commands; the figures' formats are tested natively.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/main_dlg_fixture_win.h"
#include "app/main_dlg_dates.h"
#include "app/main_dlg_memory_lines.h"
#include "app/main_dlg_processor_lines.h"
#include "common/resource_text.h"
#include "controls/dib_canvas_win.h"
#include "monitors/system_load_win.h"
#include "support/message_pump_win.h"

using testing_support::MainDlgTest;

namespace {

int32_t FreePercentNow()
{
    int32_t load = 0, freePercent = 0;
    GetSystemLoad(&load, &freePercent);
    return freePercent;
}

// Once a dialog other than the main window shows, sends the main window an exit message. A
// deadline closes every dialog of the thread and marks the test failed rather than let it hang.
class ExitFromModal {
public:
    ExitFromModal(HWND main, UINT message, WPARAM wp)
    {
        main_ = main;
        message_ = message;
        wp_ = wp;
        shown_ = deadlineHit_ = false;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, OnCall, nullptr, GetCurrentThreadId());
        deadline_ = SetTimer(nullptr, 0, 30000, OnDeadline);
    }
    ~ExitFromModal()
    {
        KillTimer(nullptr, deadline_);
        UnhookWindowsHookEx(hook_);
    }
    ExitFromModal(const ExitFromModal&) = delete;
    ExitFromModal& operator=(const ExitFromModal&) = delete;

    bool Shown() const { return shown_; }
    bool DeadlineHit() const { return deadlineHit_; }

private:
    static bool IsDialog(HWND window)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof(name));
        return std::string(name) == "#32770";
    }
    static LRESULT CALLBACK OnCall(int code, WPARAM wp, LPARAM lp)
    {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && call.message == WM_SHOWWINDOW && call.wParam && !shown_ && call.hwnd != main_ &&
            IsDialog(call.hwnd)) {
            shown_ = true;
            PostMessageA(main_, message_, wp_, 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static void CALLBACK OnDeadline(HWND, UINT, UINT_PTR, DWORD)
    {
        deadlineHit_ = true;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM) {
            if (window != main_ && IsDialog(window))
                EndDialog(window, IDCANCEL);
            return TRUE;
        }, 0);
    }

    static inline HWND main_ = nullptr;
    static inline UINT message_ = 0;
    static inline WPARAM wp_ = 0;
    static inline bool shown_ = false, deadlineHit_ = false;
    HHOOK hook_;
    UINT_PTR deadline_;
};

const int kRunButtons[] = {IDC_LZL_BUTTON, IDC_CLEANRAM_BT, IDC_BUTTONOT1, IDC_MSCONFIG_BT, IDC_PROCESSMG_BT,
                           IDC_SERVICEMG_BT};

TEST_F(MainDlgTest, SetUpShowsTheMachineAndTheDefaults)
{
    Open();
    EXPECT_EQ(Text(IDC_PRAM_LINE), PhysicalLine(UiText("PRAMtotalStr"), 256, UiText("PRAMFreeStr"), 100))
        << "captioned before the first tick";
    EXPECT_EQ(Text(IDC_SLIDER_MAX), MegabyteLabel(256));
    EXPECT_EQ(Text(IDC_AMOUNT_TEXT), AmountLabel(3, 256));
    EXPECT_EQ(SliderPos(), 3);
    EXPECT_FALSE(Enabled(IDC_AMOUNT_SLIDER));
    EXPECT_EQ(Text(IDC_AXIS25), AxisLabel(64));
    EXPECT_EQ(SendMessageA(Item(IDC_USERTYPE_COMBO), CB_GETCURSEL, 0, 0), 2);
    for (int id : {IDC_CHECKCLIPBOARD, IDC_CHECKAUTODEFRAG, IDC_CHECKSOUND, IDC_CHECKAUTODEFRAGTIP, IDC_CHECKLOG})
        EXPECT_TRUE(dialog_->IsChecked(id)) << id;
    for (int id : {IDC_CHECKAUTORUN, IDC_12H_CHECK, IDC_CHECKALERTNOTICE})
        EXPECT_FALSE(dialog_->IsChecked(id)) << id;
    EXPECT_EQ(Text(IDC_ALERT_EDIT), "15");
    EXPECT_FALSE(Enabled(IDC_BUTTONSAVERAM));
    EXPECT_TRUE(dialog_->Tray().IsEnabled());
    EXPECT_EQ(Text(IDC_CPU_CLOCK), ProcessorClockLine(UiText("TitleCPU2"), "1234 MHZ")) << "stored, not measured";
    EXPECT_NE(Text(IDC_CPU_NAME).find(UiText("TitleCPU1")), std::string::npos);

    RECT compact{}, wide{}, again{};
    GetWindowRect(Window(), &compact);
    Command(IDC_TAB_BUTTON);
    EXPECT_TRUE(dialog_->IsExpanded());
    GetWindowRect(Window(), &wide);
    EXPECT_NEAR(wide.right - wide.left, 2 * (compact.right - compact.left), 2);
    EXPECT_EQ(Text(IDC_TAB_BUTTON), UiText("IDC_TAB_BUTTON2"));
    Command(IDC_TAB_BUTTON);
    GetWindowRect(Window(), &again);
    EXPECT_EQ(again.right - again.left, compact.right - compact.left);
}

TEST_F(MainDlgTest, StoredSettingsOverTheDefaults)
{
    Store(kUserType, 4);
    Store(kSliderPos, 5);
    Store(kRamAlertValue, 40);
    Store(kNoticeDialog, 1);
    Store(kOtherFunctionTips, 0);
    Store(kSoundAlert, 0);
    {
        CRegistryKey key;
        key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS);
        key.DeleteValue(kCpuMhz);
    }
    Open();
    std::string clock;
    {
        CRegistryKey key;
        key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ);
        EXPECT_EQ(key.QueryString(clock, kCpuMhz), ERROR_SUCCESS) << "measured and stored";
    }
    EXPECT_EQ(Text(IDC_CPU_CLOCK), ProcessorClockLine(UiText("TitleCPU2"), clock));
    EXPECT_TRUE(Enabled(IDC_AMOUNT_SLIDER));
    EXPECT_EQ(SliderPos(), 5);
    EXPECT_EQ(Text(IDC_ALERT_EDIT), "40");
    EXPECT_FALSE(dialog_->IsChecked(IDC_CHECKAUTODEFRAGTIP));
    EXPECT_TRUE(dialog_->IsChecked(IDC_CHECKALERTNOTICE));
    EXPECT_FALSE(dialog_->IsChecked(IDC_CHECKSOUND));
}

int RedCaptionPixels(HWND graph)
{
    RECT client{};
    GetClientRect(graph, &client);
    DibCanvas canvas(client.right, client.bottom);
    SendMessageA(graph, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.Count(controls::Rgb(255, 0, 0), 0, 12);
}

TEST_F(MainDlgTest, DisplayTickShowsClockFiguresTooltipAndAlertColour)
{
    Open();
    dialog_->SetItemText(IDC_ALERT_EDIT, "38"); // one below the free 39 %, typed, not saved
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_EQ(Text(IDC_CLOCK_LINE), DateLine(now_, false, UiText("WEEKSTR1")));
    Click(IDC_12H_CHECK);
    EXPECT_EQ(Text(IDC_12H_CHECK), "12H");
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_EQ(Text(IDC_CLOCK_LINE), DateLine(now_, true, UiText("WEEKSTR1")));

    EXPECT_EQ(Text(IDC_PHYS_PERCENT), PercentLine(FreeRatio(100, 256) * 100, UiText("RAMFreeStr")));
    EXPECT_EQ(Text(IDC_PAGE_PERCENT), PercentLine(0, UiText("PageFreeStr"))) << "no page file";
    EXPECT_EQ(Text(IDC_VIRT_PERCENT), PercentLine(FreeRatio(1900, 2048) * 100, UiText("VRAMFreeStr")));
    const std::string tip = dialog_->Tray().IconData().szTip;
    EXPECT_NE(tip.find(UiText("IconTipsRAM") + ":61%"), std::string::npos) << tip;

    const HWND graph = Item(IDC_MEMGRAPH);
    ASSERT_TRUE(graph);
    EXPECT_EQ(RedCaptionPixels(graph), 0);
    dialog_->SetItemText(IDC_ALERT_EDIT, "39");
    Tick(CMainDlg::kDisplayTimer); // the colour shows with the next bar
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_GT(RedCaptionPixels(graph), 5);
}

TEST_F(MainDlgTest, AlertSoundsAtTheAlertValueNotOneAbove)
{
    const int32_t free = FreePercentNow();
    Store(kSoundAlert, 1);
    Store(kAutoDefrag, 0);
    Store(kRamAlertValue, static_cast<DWORD>(free - 1));
    Open();
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 0);
    Store(kRamAlertValue, static_cast<DWORD>(free));
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1);
    SetCleanBusy(true);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1) << "no sound during a run";
    SetCleanBusy(false);
    Store(kSoundAlert, 0);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1) << "the tick follows the registry, not the window";
}

TEST_F(MainDlgTest, AutomaticCleanAsksOnceCancelDisarmsAndNoticeSetCleansWithoutAsking)
{
    const int32_t free = FreePercentNow();
    Store(kSoundAlert, 0);
    Store(kAutoDefrag, 1);
    Store(kRamAlertValue, static_cast<DWORD>(free));
    int modalsSeen = 0;
    host_.modal = [&, answer = host_.modal](win32::Dialog& dialog) {
        if (modalsSeen++ == 0)
            Tick(CMainDlg::kRulesTimer); // the running timer reaches the first question's loop
        return answer(dialog);
    };
    Open();
    Tick(CMainDlg::kRulesTimer);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 1) << "asked once, then disarmed; no question within the question";
    EXPECT_FALSE(CleanState.busy);

    Store(kRamAlertValue, static_cast<DWORD>(free - 1));
    Tick(CMainDlg::kRulesTimer); // above the value: armed again
    Store(kRamAlertValue, static_cast<DWORD>(free));
    modalAnswer_ = IDOK;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2);
    EXPECT_TRUE(CleanState.busy);
    EXPECT_TRUE(CleanState.cleanUpRun);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2) << "nothing asked during the run";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 1);

    Store(kNoticeDialog, 1);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2);
    EXPECT_TRUE(CleanState.busy) << "the run started without asking";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
}

TEST_F(MainDlgTest, OrganiseCountsDownSevenStepsThenCleansAndResets)
{
    Open();
    Command(IDC_LZL_BUTTON);
    EXPECT_TRUE(CleanState.busy);
    EXPECT_EQ(CleanState.amountEighths, 3);
    for (int id : kRunButtons)
        EXPECT_FALSE(Enabled(id)) << id;
    for (int step = 1; step <= 7; ++step) {
        Tick(CMainDlg::kOrganiseTimer);
        EXPECT_EQ(GaugePos(), 32 * step);
    }
    EXPECT_EQ(Text(IDC_CLEAN_PERCENT), "100%");
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0);
    Tick(CMainDlg::kOrganiseTimer);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 1) << "the report option is set";
    EXPECT_EQ(Text(IDC_CLEAN_PERCENT), "0 %");
    EXPECT_EQ(GaugePos(), 0);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(CleanState.tick, 0);
    for (int id : kRunButtons)
        EXPECT_TRUE(Enabled(id)) << id;

    // Refused while another run holds the cleaning state (the tray item stays available).
    SetCleanBusy(true);
    Command(ID_TRAY_ORGANIZE);
    EXPECT_EQ(CleanState.tick, 0);
    EXPECT_TRUE(Enabled(IDC_LZL_BUTTON));
}

TEST_F(MainDlgTest, CleanUpRunEndEnablesTheButtonsAndTrayCleansRunNothing)
{
    Store(kBuildReport, 0);
    Open();
    for (int command : {ID_TRAY_CLEAN_HALF, ID_TRAY_CLEAN_QUARTER}) {
        Command(command);
        EXPECT_FALSE(CleanState.busy) << command;
        EXPECT_TRUE(Enabled(IDC_LZL_BUTTON)) << command;
    }
    Command(IDC_CLEANRAM_BT);
    EXPECT_TRUE(CleanState.busy);
    EXPECT_EQ(CleanState.amountEighths, 6) << "39 % free: six steps";
    for (int id : kRunButtons)
        EXPECT_FALSE(Enabled(id)) << id;
    Command(IDC_CLEANRAM_BT); // a second start while busy does nothing
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_FALSE(CleanState.busy);
    EXPECT_FALSE(CleanState.cleanUpRun);
    EXPECT_EQ(Text(IDC_CLEAN_PERCENT), "0 %");
    EXPECT_EQ(GaugePos(), 0);
    EXPECT_TRUE(modals_.empty()) << "report switched off";
    for (int id : kRunButtons)
        EXPECT_TRUE(Enabled(id)) << id;

    // A worker that cannot start ends the run at once: buttons back, nothing reported.
    dialog_->SetChecked(IDC_CHECKLOG, true);
    SetCleanWorkerStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
    Command(IDC_CLEANRAM_BT);
    SetCleanWorkerStarter(nullptr);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_TRUE(modals_.empty());
    EXPECT_EQ(GaugePos(), 0);
    for (int id : kRunButtons)
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(MainDlgTest, ExitAskedNoKeepsRunningAndExitDuringARunEndsItCleanly)
{
    Open();
    host_.answer = IDNO;
    Command(ID_TRAY_EXIT);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(dialog_->Tray().IsEnabled());

    Command(IDC_CLEANRAM_BT);
    ASSERT_TRUE(CleanState.busy);
    host_.answer = IDYES;
    const HWND window = Window();
    Command(IDC_EXITBT);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog_->Cleaning().WorkerRunning());
    EXPECT_FALSE(CleanState.busy);
    EXPECT_FALSE(dialog_->Tray().IsEnabled());

    Open();
    Command(IDC_LZL_BUTTON);
    Tick(CMainDlg::kOrganiseTimer);
    host_.answer = IDYES;
    Command(IDC_EXITBT);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(CleanState.tick, 0);
}

TEST_F(MainDlgTest, EveryExitPathEndsTheWindowWhateverModalIsOpen)
{
    Store(kOtherFunctionTips, 0); // tools open without the warning
    host_.modal = nullptr;         // the real modal loops
    host_.answer = IDYES;          // to the exit question
    const int32_t free = FreePercentNow();
    const struct {
        const char* modal;
        int opener; // 0: the rules tick asks before an automatic clean
        UINT message;
        WPARAM wp;
    } cases[] = {
        {"automatic-clean question", 0, WM_COMMAND, MAKEWPARAM(IDC_EXITBT, BN_CLICKED)},
        {"cache settings", IDC_BUTTONOT1, WM_CLOSE, 0},
        {"About", IDC_ABOUT2, WM_ENDSESSION, TRUE},
        {"report after a run", IDC_CLEANRAM_BT, WM_COMMAND, ID_TRAY_EXIT},
    };
    for (const auto& c : cases) {
        Store(kAutoDefrag, c.opener == 0 ? 1 : 0);
        Store(kRamAlertValue, static_cast<DWORD>(c.opener == 0 ? free : 15));
        Open();
        const HWND window = Window();
        ExitFromModal exit(window, c.message, c.wp);
        if (c.opener)
            Command(c.opener);
        else
            Tick(CMainDlg::kRulesTimer);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return !IsWindow(window) || exit.DeadlineHit(); }, 60000)) << c.modal;
        EXPECT_TRUE(exit.Shown()) << c.modal;
        EXPECT_FALSE(exit.DeadlineHit()) << c.modal << ": the modal stayed open";
        EXPECT_FALSE(IsWindow(window)) << c.modal;
        EXPECT_FALSE(dialog_->Tray().IsEnabled()) << c.modal;
        EXPECT_FALSE(CleanState.busy) << c.modal;
    }
}

TEST_F(MainDlgTest, TrayPictureIsHandedToTheShellOnlyWhenItsNumberChanges)
{
    Store(kSoundAlert, 0);
    Store(kAutoDefrag, 0);
    Open();
    Tick(CMainDlg::kRulesTimer);
    const HICON shown = dialog_->Tray().IconData().hIcon;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(dialog_->Tray().IconData().hIcon, shown) << "39 % again: the shell keeps its picture";

    MemoryFigures fuller;
    fuller.totalPhys = 256 * testing_support::kMB;
    fuller.availPhys = 90 * testing_support::kMB;
    SetMemoryStatusSource([fuller] { return fuller; });
    Tick(CMainDlg::kRulesTimer);
    EXPECT_NE(dialog_->Tray().IconData().hIcon, shown) << "35 %: a new picture";
}

} // namespace
