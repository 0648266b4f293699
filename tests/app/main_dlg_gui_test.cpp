// The real main window walked through its behaviours; the texts' formats are pinned natively.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "app/texts/clock_texts.h"
#include "app/texts/memory_texts.h"
#include "app/texts/processor_texts.h"
#include "common/ini_file.h"
#include "common/interface_language_win.h"
#include "common/module_path.h"
#include "common/resource_text.h"
#include "common/shell_state_win.h"
#include "common/user_launch_win.h"
#include "history/history_store_win.h"
#include "memory/cleaning_methods.h"
#include "memory/free_memory.h"
#include "support/child_process_win.h"
#include "support/clipboard_win.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"
#include "support/policy_scope_win.h"
#include "support/stand_in_shell_win.h"
#include "support/test_paths.h"
#include "tools/startup/delay_launcher_win.h"
#include "win32/common_controls.h"
#include "win32/high_contrast.h"
#include "win32/utf16.h"

namespace {

std::string ReadIniText(const std::string& path, const std::string& key)
{
    CIniFile file(path);
    file.Load();
    return file.GetValue("Resource", key);
}

using testing_support::MainDlgTest;
using testing_support::PumpUntil;
using testing_support::ReadWholeFile;
using testing_support::SourcePath;

const int kRunButtons[] = {IDC_LZL_BUTTON, IDC_CLEANRAM_BT, IDC_BUTTONOT1, IDC_MSCONFIG_BT, IDC_PROCESSMG_BT,
                           IDC_SERVICEMG_BT};

constexpr int32_t kFree = 39; // percent free on the pretended machine

int RedCaptionPixels(HWND graph)
{
    RECT client{};
    GetClientRect(graph, &client);
    DibCanvas canvas(client.right, client.bottom);
    SendMessageA(graph, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return canvas.Count(controls::Rgb(255, 0, 0), 0, 12);
}

LONG FontHeight(HWND control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

LONG Width(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

TEST_F(MainDlgTest, MonitorSettingsToolsAndDpi)
{
    Open();
    EXPECT_EQ(Text(IDC_PRAM_LINE), PhysicalLine(UiText("PRAMtotalStr"), 256, UiText("PRAMFreeStr"), 100))
        << "captioned before the first tick";
    EXPECT_EQ(Text(IDC_AMOUNT_TEXT), AmountLabel(3, 256));
    EXPECT_EQ(Text(IDC_CPU_CLOCK), ProcessorClockLine(UiText("TitleCPU2"), "1234 MHZ")) << "stored, not measured";
    for (const auto& [id, checked] : {std::pair{IDC_CHECKCLIPBOARD, true}, {IDC_CHECKAUTODEFRAG, true},
                                      {IDC_CHECKSOUND, true}, {IDC_CHECKAUTODEFRAGTIP, true}, {IDC_CHECKLOG, true},
                                      {IDC_CHECKAUTORUN, false}, {IDC_12H_CHECK, false}, {IDC_CHECKALERTNOTICE, false}})
        EXPECT_EQ(dialog_->IsChecked(id), checked) << id;
    EXPECT_FALSE(Enabled(IDC_BUTTONSAVERAM) || Enabled(IDC_AMOUNT_SLIDER));
    const LONG compact = Width(Window());
    Command(IDC_TAB_BUTTON);
    EXPECT_NEAR(Width(Window()), 2 * compact, 2);
    EXPECT_EQ(Text(IDC_TAB_BUTTON), UiText("IDC_TAB_BUTTON2"));
    const LONG wide = Width(Window());
    Command(IDC_TAB_BUTTON);
    EXPECT_EQ(Width(Window()), compact);

    // The display tick: clock, figures, tooltip, and the graph's caption red at the typed value.
    Click(IDC_12H_CHECK);
    EXPECT_EQ(Text(IDC_12H_CHECK), "12H");
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_EQ(Text(IDC_CLOCK_LINE), DateLine(now_, true, UiText("WEEKSTR1")));
    EXPECT_EQ(Text(IDC_PHYS_PERCENT), PercentLine(FreeRatio(100, 256) * 100, UiText("RAMFreeStr")));
    EXPECT_EQ(Text(IDC_PAGE_PERCENT), PercentLine(0, UiText("PageFreeStr"))) << "no page file";
    EXPECT_EQ(Text(IDC_VIRT_PERCENT), PercentLine(FreeRatio(1900, 2048) * 100, UiText("VRAMFreeStr")));
    const std::string tip = TrayTip();
    EXPECT_NE(tip.find(UiText("IconTipsRAM") + ":61%"), std::string::npos) << tip;
    EXPECT_EQ(RedCaptionPixels(Item(IDC_MEMGRAPH)), 0) << "39 % free, alert at 15";
    dialog_->SetItemText(IDC_ALERT_EDIT, "39"); // typed, not saved
    Tick(CMainDlg::kDisplayTimer); // the colour shows with the next bar
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_GT(RedCaptionPixels(Item(IDC_MEMGRAPH)), 5);

    // Typed and chosen settings; a value out of range is put back with a message.
    dialog_->SetItemText(IDC_ALERT_EDIT, "80");
    EXPECT_EQ(Text(IDC_ALERT_EDIT), "75");
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("MessageInputError"));
    SendMessageA(Item(IDC_USERTYPE_COMBO), CB_SETCURSEL, kCustomUserType, 0);
    Command(IDC_USERTYPE_COMBO, CBN_SELCHANGE);
    EXPECT_EQ(SliderPos(), SliderPositionForUserType(kCustomUserType));
    EXPECT_TRUE(Enabled(IDC_AMOUNT_SLIDER) && Enabled(IDC_BUTTONSAVERAM));
    SendMessageA(Item(IDC_AMOUNT_SLIDER), TBM_SETPOS, TRUE, 5);
    NMHDR released{Item(IDC_AMOUNT_SLIDER), IDC_AMOUNT_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(Window(), WM_NOTIFY, IDC_AMOUNT_SLIDER, reinterpret_cast<LPARAM>(&released));
    EXPECT_EQ(Text(IDC_AMOUNT_TEXT), "160MB");

    // Saving: the asking switch is written at once, the rest and the autostart on Save.
    Click(IDC_CHECKAUTORUN); // setting it says nothing
    Click(IDC_CHECKAUTODEFRAGTIP);
    EXPECT_EQ(Stored(kNoticeDialog), 1u);
    Click(IDC_CHECKSOUND);
    std::string command;
    EXPECT_TRUE(tasks_.tasks.empty() && ReadAutostart(command) != ERROR_SUCCESS) << "nothing before saving";
    Command(IDC_BUTTONSAVERAM);
    EXPECT_EQ(tasks_.tasks.size(), 1u) << "a logon task";
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, UiText("strSaveLogMessage"));
    EXPECT_FALSE(Enabled(IDC_BUTTONSAVERAM));
    Click(IDC_CHECKAUTORUN);
    ASSERT_EQ(host_.boxes.size(), 3u);
    EXPECT_EQ(host_.boxes[2].text, UiText("strAutorunCloseMessage"));
    Command(IDC_BUTTONSAVERAM);
    EXPECT_TRUE(tasks_.tasks.empty());

    // Hiding: the hide button forgets, the tray's show remembers, Escape and the close box hide.
    ShowWindow(Window(), SW_SHOW);
    UpdateWindow(Window()); // the load line, set while hidden and not read since, gets its text when painted
    wchar_t painted[64] = {};
    InternalGetWindowText(Item(IDC_CPU_LOAD), painted, 64);
    EXPECT_EQ(std::wstring(painted).rfind(L"- ", 0), 0u) << "the tick's line, not the template's empty text";
    Command(IDC_HIDEBT2);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Stored(kShowStatus));
    for (const auto& [message, wp] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_SYSCOMMAND, SC_CLOSE}}) {
        Command(ID_TRAY_SHOW);
        EXPECT_TRUE(IsWindowVisible(Window()));
        EXPECT_EQ(Stored(kShowStatus), 1u);
        SendMessageA(Window(), message, wp, 0);
        EXPECT_FALSE(IsWindowVisible(Window())) << message;
        EXPECT_EQ(Stored(kShowStatus), 0u) << message;
    }

    // Tools open after the warning, unless it is switched off.
    host_.boxes.clear();
    for (const auto& [tool, templateId] : {std::pair{IDC_BUTTONOT1, IDD_CACHESETUP_DIALOG},
                                           {ID_TRAY_PROCESS, IDD_PROCESS_DIALOG}, {IDC_ABOUT2, IDD_ABOUTBOX}}) {
        modals_.clear();
        host_.answer = IDCANCEL;
        Command(tool);
        host_.answer = IDOK;
        Command(tool);
        EXPECT_EQ(modals_, std::vector<int>(templateId == IDD_ABOUTBOX ? 2 : 1, templateId)) << tool;
    }
    ASSERT_EQ(host_.boxes.size(), 4u) << "a warning for each system tool opened, cancelled or not";
    EXPECT_EQ(host_.boxes[0].text, UiText("strModifySystem"));
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    Click(IDC_CHECKALERTNOTICE);
    EXPECT_EQ(Stored(kOtherFunctionTips), 0u);
    Command(ID_TRAY_SERVICE);
    EXPECT_EQ(host_.boxes.size(), 4u) << "switched off: no warning";
    EXPECT_EQ(ModalCount(IDD_SERVICE_DIALOG), 1);

    // The next start shows what was saved.
    Open();
    EXPECT_TRUE(Enabled(IDC_AMOUNT_SLIDER));
    EXPECT_EQ(SliderPos(), 5);
    EXPECT_EQ(Text(IDC_ALERT_EDIT), "75");
    EXPECT_FALSE(dialog_->IsChecked(IDC_CHECKAUTODEFRAGTIP) || dialog_->IsChecked(IDC_CHECKSOUND));

    // Another screen's DPI: the window, its own fonts, its glyphs and its widened shape follow.
    ASSERT_EQ(FontHeight(Item(IDC_TITLE1)), -13) << "the tests run at 96 DPI";
    for (const int dpi : {144, 96}) {
        RECT suggested{50, 60, 50 + MulDiv(compact, dpi, 96), 600};
        SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_TRUE(PumpUntil([&] { return FontHeight(Item(IDC_TITLE1)) == -MulDiv(13, dpi, 96); })) << dpi;
        EXPECT_EQ(Width(Window()), suggested.right - suggested.left) << dpi;
        EXPECT_EQ(FontHeight(Item(IDC_AXIS50)), -MulDiv(10, dpi, 96)) << dpi;
        BITMAP glyph{};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_GLYPH_MEMORY), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof glyph, &glyph);
        EXPECT_EQ(glyph.bmWidth, MulDiv(20, dpi, 96)) << dpi;
        Command(IDC_TAB_BUTTON);
        EXPECT_NEAR(Width(Window()), MulDiv(wide, dpi, 96), 1) << dpi;
        Command(IDC_TAB_BUTTON);
    }
}

// An organisation's values, as Group Policy writes them, win over the stored ones: their controls
// are greyed with the line that says why, the rules follow them at once, and a save writes only
// the user's own. A damaged value is no value.
TEST_F(MainDlgTest, APolicyGreysItsControlWinsOverTheStoredValueAndIsNeverSaved)
{
    const testing_support::PolicyScope policies;
    Store(kRamAlertValue, 20);
    Store(kSoundAlert, 0);
    for (const auto& [name, value] : {std::pair{kRamAlertValue, kFree}, {kSoundAlert, 1}, {kAutostart, 1}, {kAutoDefrag, 7}})
        policies.Set(name, value);
    Open();
    RulesOnlyWhenTicked();
    EXPECT_EQ(Text(IDC_ALERT_EDIT), std::to_string(kFree));
    EXPECT_TRUE(dialog_->IsChecked(IDC_CHECKSOUND) && dialog_->IsChecked(IDC_CHECKAUTORUN));
    for (const int id : {IDC_ALERT_EDIT, IDC_ALERT_SPIN, IDC_CHECKSOUND, IDC_CHECKAUTORUN, IDC_CHECKAUTODEFRAG})
        EXPECT_EQ(Enabled(id), id == IDC_CHECKAUTODEFRAG) << id;
    EXPECT_EQ(tasks_.tasks.size(), 1u) << "the organisation's start with Windows, put in place";
    Command(IDC_TAB_BUTTON); // the right half, where the line is
    EXPECT_TRUE(GetWindowLongA(Item(IDC_POLICY_NOTE), GWL_STYLE) & WS_VISIBLE);
    Tick(CMainDlg::kRulesTimer);
    policies.Set(kSoundAlert, 0);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1) << "at the organisation's value, and a changed policy reaches the rules at once";

    Click(IDC_CHECKAUTODEFRAG);
    Command(IDC_BUTTONSAVERAM);
    EXPECT_TRUE(Stored(kRamAlertValue) == 20u && Stored(kSoundAlert) == 0u && Stored(kAutoDefrag) == 0u);
}

// The chosen methods' system calls are recorded: Wine's own change nothing.
TEST_F(MainDlgTest, RunsMethodsAlertsAndAutomaticCleaning)
{
    std::mutex lock;
    std::vector<uint32_t> operations; // information class x 100 + memory-list command
    ULONG_PTR standbyPages = 0;       // per priority, eight priorities
    const DWORD uiThread = GetCurrentThreadId();
    bool onUiThread = false;
    SetNtSystemCalls({[&](uint32_t infoClass, void* data, uint32_t) {
                          std::lock_guard<std::mutex> guard(lock);
                          operations.push_back(infoClass * 100 + *static_cast<unsigned char*>(data));
                          onUiThread = onUiThread || GetCurrentThreadId() == uiThread;
                          return operations.size() == 1 ? kStatusPrivilegeNotHeld : kStatusSuccess;
                      },
                      [&](uint32_t, void* data, uint32_t) {
                          std::fill_n(static_cast<ULONG_PTR*>(data) + 5, 8, standbyPages);
                          return kStatusSuccess;
                      }});
    const auto calls = [&] {
        std::lock_guard<std::mutex> guard(lock);
        return operations;
    };
    std::string reportLines;
    host_.modal = [&](win32::Dialog& dialog) {
        modals_.push_back(dialog.TemplateId());
        if (dialog.TemplateId() == IDD_REPORT_DIALOG && dialog.CreateModeless()) {
            reportLines = dialog.GetItemText(IDC_REPORT_METHODS);
            DestroyWindow(dialog.hwnd());
        }
        return modalAnswer_;
    };
    const auto runsEnabled = [&] { return std::ranges::count_if(kRunButtons, [&](int id) { return Enabled(id); }); };
    Store(kSoundAlert, 1);
    Store(kAutoDefrag, 0);
    Store(kRamAlertValue, kFree - 1);
    Open();
    RulesOnlyWhenTicked();
    testing_support::PutTextOnClipboard();
    Command(ID_TRAY_CLEAN_HALF);
    EXPECT_FALSE(CleanState.busy) << "without methods the tray's clean is the classic step, at once";
    EXPECT_TRUE(testing_support::ClipboardHoldsText()) << "the tray's step leaves the clipboard";
    Store(kCleanMethods, kEmptyWorkingSets | kPurgeStandbyList);

    // Organise: seven steps of the countdown, then the clean on the worker, the report and the reset.
    Command(IDC_LZL_BUTTON);
    EXPECT_EQ(CleanState.amountEighths, 3);
    EXPECT_EQ(runsEnabled(), 0);
    for (int step = 1; step <= 7; ++step) {
        Tick(CMainDlg::kOrganiseTimer);
        EXPECT_EQ(GaugePos(), 32 * step);
    }
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0);
    Tick(CMainDlg::kOrganiseTimer);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 1);
    EXPECT_EQ(calls(), (std::vector<uint32_t>{8002, 8004}));
    EXPECT_NE(reportLines.find(UiText("MethodNoPrivilege")), std::string::npos) << reportLines;
    EXPECT_EQ(Text(IDC_CLEAN_PERCENT), "0 %");
    EXPECT_FALSE(CleanState.busy || CleanState.tick != 0 || GaugePos() != 0);
    SetCleanBusy(true);
    Command(ID_TRAY_ORGANIZE);
    EXPECT_EQ(CleanState.tick, 0) << "refused while another run holds the state";
    SetCleanBusy(false);

    // The growing clean-up run on its worker; its end gives the buttons back.
    dialog_->SetChecked(IDC_CHECKLOG, false);
    Command(IDC_CLEANRAM_BT);
    EXPECT_EQ(CleanState.amountEighths, 6) << "39 % free: six steps";
    EXPECT_EQ(runsEnabled(), 0);
    Command(IDC_CLEANRAM_BT); // a second start while busy does nothing
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_FALSE(CleanState.busy || CleanState.cleanUpRun || GaugePos() != 0);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 1) << "report switched off";
    EXPECT_EQ(runsEnabled(), 6);
    Command(ID_TRAY_CLEAN_HALF);
    EXPECT_TRUE(CleanState.busy) << "the tray's clean runs on the worker too";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_EQ(calls().size(), 6u);
    EXPECT_FALSE(onUiThread);
    Store(kCleanMethods, kFillAndRelease); // the classic steps again: runs long enough to watch
    // A worker that cannot start ends the run at once: buttons back, nothing reported.
    dialog_->SetChecked(IDC_CHECKLOG, true);
    SetCleanWorkerStarter([](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; });
    Command(IDC_CLEANRAM_BT);
    SetCleanWorkerStarter(nullptr);
    EXPECT_FALSE(CleanState.busy);
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 1);
    EXPECT_EQ(runsEnabled(), 6);

    // The alert sounds at the stored value, not one above, never during a run.
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 0);
    Store(kRamAlertValue, kFree);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1);
    SetCleanBusy(true);
    Tick(CMainDlg::kRulesTimer);
    SetCleanBusy(false);
    Store(kSoundAlert, 0);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(alerts_, 1);

    // Automatic cleaning asks once; a cancel disarms it until memory recovers; no question
    // within the question; without asking, the run starts at once.
    Store(kAutoDefrag, 1);
    host_.modal = [&, answer = host_.modal](win32::Dialog& dialog) {
        Tick(CMainDlg::kRulesTimer); // the running timer reaches the question's loop
        return answer(dialog);
    };
    Tick(CMainDlg::kRulesTimer);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 1);
    EXPECT_FALSE(CleanState.busy);
    Store(kRamAlertValue, kFree - 1);
    Tick(CMainDlg::kRulesTimer);
    Store(kRamAlertValue, kFree);
    modalAnswer_ = IDOK;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2);
    EXPECT_TRUE(CleanState.busy && CleanState.cleanUpRun);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2) << "nothing asked during the run";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 2);
    EXPECT_FALSE(testing_support::ClipboardHoldsText()) << "the window empties it before the last step";
    Store(kNoticeDialog, 1);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 2);
    EXPECT_TRUE(CleanState.busy) << "the run started without asking";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));

    // The tray picture goes to the shell only when its number changes.
    Store(kAutoDefrag, 0);
    Tick(CMainDlg::kRulesTimer);
    const HICON shown = dialog_->Tray().IconData().hIcon;
    Tick(CMainDlg::kRulesTimer);
    EXPECT_EQ(dialog_->Tray().IconData().hIcon, shown);
    const testing_support::PretendMachine fuller(256 * testing_support::kMB, 90 * testing_support::kMB);
    Tick(CMainDlg::kRulesTimer);
    EXPECT_NE(dialog_->Tray().IconData().hIcon, shown) << "35 %: a new picture";

    // A standby list at its share of the memory asks like low memory, with the same rearming.
    const ULONG_PTR full = 256 * testing_support::kMB / 8 / 4096; // the whole memory on standby
    Store(kStandbyAutoClean, 1);
    Store(kNoticeDialog, 0);
    modalAnswer_ = IDCANCEL;
    Store(kStandbyAlertValue, 40);
    for (const ULONG_PTR pages : {full, full, ULONG_PTR{0}, full}) {
        standbyPages = pages;
        Tick(CMainDlg::kRulesTimer);
    }
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 4) << "asked, then again once it had shrunk";
}

// A due clean during a full-screen program or while a listed program runs for real: no question,
// no alert, the tooltip says why; the question comes once it has ended. A run that freed nothing
// under a back-off makes the next one wait, as the tooltip says. The history has each hold once.
TEST_F(MainDlgTest, AutomaticCleaningStaysAwayWhileTheUserPlays)
{
    const size_t recordsBefore = ReadHistory(HistoryFolder()).records.size();
    int shell = 3; // QUNS_RUNNING_D3D_FULL_SCREEN
    SetShellStateSource([&] { return shell; });
    SetTickCountSource([] { return 1000u; });
    for (const char* name : {kSoundAlert, kAutoDefrag})
        Store(name, 1);
    Store(kRamAlertValue, kFree);
    Store(kAutoCleanBackOff, 50);
    Open();
    RulesOnlyWhenTicked();
    const auto tip = [&] {
        Tick(CMainDlg::kRulesTimer);
        Tick(CMainDlg::kDisplayTimer);
        return TrayTip();
    };
    EXPECT_NE(tip().find("\n" + UiText("TipPausedFullScreen")), std::string::npos);
    tip();
    shell = 5; // QUNS_ACCEPTS_NOTIFICATIONS
    {
        testing_support::ChildFolder folder("pause-list");
        testing_support::SleepingChild game(folder.path(), "Game.exe");
        testing_support::WriteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kPausePrograms, REG_MULTI_SZ, "game.exe\0", 10);
        EXPECT_NE(tip().find(FillPlaceholders(UiText("TipPausedProgram"), {"game.exe"})), std::string::npos);
    }
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG) + alerts_, 0);
    modalAnswer_ = IDOK;
    EXPECT_EQ(std::ranges::count(tip(), '\n'), 1) << "nothing holds it";
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG) + alerts_, 2) << "asked and sounded once the program had ended";
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    // The pretended machine frees nothing, under half its memory: the next clean waits 2 minutes.
    EXPECT_NE(tip().find(FillPlaceholders(UiText("TipWaitBackOff"), {"2"})), std::string::npos);
    EXPECT_EQ(ModalCount(IDD_DEFRAGQUERY_DIALOG), 1);
    tip();
    MinuteAfterLastClean(); // then the clean's record goes

    const std::vector<CleanRecord> records = ReadHistory(HistoryFolder()).records;
    std::vector<std::string> recorded;
    for (size_t i = recordsBefore; i < records.size(); ++i)
        recorded.push_back(std::string(TriggerName(records[i].trigger)) + " " + ResultName(records[i].result) + " " +
                           records[i].reason);
    EXPECT_EQ(recorded, (std::vector<std::string>{"automatic skipped full-screen", "automatic skipped program",
                                                  "automatic skipped back-off", "automatic done "}));
    EXPECT_EQ(records.back().followUpEnd, FollowUpEnd::Minute);
}

// Each exit path posted while a real modal runs: the window ends, whatever modal is open.
TEST_F(MainDlgTest, EveryExitPathEndsTheWindowWhateverModalIsOpen)
{
    Open();
    host_.answer = IDNO;
    Command(ID_TRAY_EXIT);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_TRUE(IsWindow(Window()) && dialog_->Tray().IsEnabled()) << "No keeps it running";
    host_.answer = IDYES;
    // With the history kept and not (as under Wine): what the record meets never delays the end.
    for (const bool kept : {true, false}) {
        tasks_.protectedPlace = kept;
        for (int run : {IDC_CLEANRAM_BT, IDC_LZL_BUTTON}) {
            Open();
            Command(run);
            ASSERT_TRUE(CleanState.busy);
            if (run == IDC_LZL_BUTTON)
                Tick(CMainDlg::kOrganiseTimer);
            Command(IDC_EXITBT);
            EXPECT_FALSE(IsWindow(Window()) || dialog_->Cleaning().WorkerRunning()) << run;
            EXPECT_FALSE(CleanState.busy || CleanState.tick != 0 || dialog_->Tray().IsEnabled()) << run;
            EXPECT_EQ(dialog_->Tray().LastNotice(), "") << "nothing said during an exit";
        }
    }

    Store(kOtherFunctionTips, 0); // tools open without the warning
    static bool late;
    static win32::Dialog* running;
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
        {"report after a run, history not kept", IDC_CLEANRAM_BT, WM_COMMAND, ID_TRAY_EXIT},
    };
    for (const auto& c : cases) {
        tasks_.protectedPlace = std::string(c.modal).find("not kept") == std::string::npos;
        Store(kAutoDefrag, c.opener == 0 ? 1 : 0);
        Store(kRamAlertValue, c.opener == 0 ? kFree : 15);
        Open();
        const HWND window = Window();
        int shown = 0;
        late = false;
        host_.modal = [&](win32::Dialog& dialog) {
            ++shown;
            running = &dialog;
            PostMessageA(window, c.message, c.wp, 0); // arrives inside the modal loop
            const UINT_PTR deadline = SetTimer(nullptr, 0, 30000, [](HWND, UINT, UINT_PTR, DWORD) {
                late = true;
                EndDialog(running->hwnd(), IDCANCEL);
            });
            const INT_PTR answer = dialog.RunModalLoop(nullptr);
            KillTimer(nullptr, deadline);
            return answer;
        };
        if (c.opener)
            Command(c.opener);
        else
            Tick(CMainDlg::kRulesTimer);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window) || late; }, 60000)) << c.modal;
        EXPECT_EQ(shown, 1) << c.modal;
        EXPECT_FALSE(late) << c.modal << ": the modal stayed open";
        EXPECT_FALSE(IsWindow(window) || dialog_->Tray().IsEnabled() || CleanState.busy) << c.modal;
    }
    for (const auto& box : host_.boxes)
        EXPECT_EQ(box.text, UiText("strExitQuery")) << "only the exit's question: nothing stands before the end";
}

// Hidden starts, the delayed launcher a start with Windows runs and the refused autostart box.
TEST_F(MainDlgTest, StartsLaunchesAndRefusedAutostart)
{
    const testing_support::StandInShell shell;
    const testing_support::ScratchDir scratch("main-starts");
    const std::string marker = scratch.File("launched.txt");
    const std::string delayList = GetModulePath("Delay.ini");
    testing_support::WriteWholeFile(delayList, "[Item0]\r\nProject=Marker\r\nPath=%SystemRoot%\\system32\\cmd.exe /c "
                                               "echo launched>\"" + marker + "\"\r\nDelay=0\r\nOLDID=0\r\nType=2\r\n\r\n");
    DelayedLauncher() = CDelayLauncher();
    Store(kShowStatus, 0);
    for (const auto& [argument, hidden] : {std::pair<std::optional<std::string>, bool>{std::nullopt, true},
                                           {std::string("-other"), false}, {std::string(" -PowerOn"), true}}) {
        Open(argument);
        RECT r{};
        GetWindowRect(Window(), &r);
        EXPECT_EQ(r.left == -1024 && r.top == -1024, hidden) << argument.value_or("(none)");
        Tick(CMainDlg::kLauncherTimer);
        EXPECT_EQ(DelayedLauncher().Schedule().LaunchedCount(), argument == " -PowerOn" ? 1 : 0);
        if (!hidden)
            continue;
        ShowWindow(Window(), SW_SHOW);
        Tick(CMainDlg::kHiddenStartTimer);
        EXPECT_FALSE(IsWindowVisible(Window()));
        GetWindowRect(Window(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << "centred for the show";
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    }
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(marker).find("launched") != std::string::npos; }, 10000));
    DeleteFileA(delayList.c_str());

    tasks_.protectedPlace = false;
    Open();
    EXPECT_FALSE(Enabled(IDC_CHECKAUTORUN));
    EXPECT_EQ(Text(IDC_CHECKAUTORUN), UiText("strAutorunNotHere"));
    RECT box{};
    GetWindowRect(Item(IDC_CHECKAUTORUN), &box);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left - 2, box.top - 2));
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 2, box.top + 2));
    ASSERT_EQ(host_.boxes.size(), 1u) << "a click beside the box says nothing";
    EXPECT_EQ(host_.boxes[0].text, UiText("strAutorunRefused") + "\n\n" + UiText("strPlaceUsersMayChange"));
}

// Help opens, in the system's viewer as the user, the help file beside the program in the language
// of the texts (the LCID in its header): ctest runs this beside the English and the Chinese texts.
// Help opens the help file of the language spoken, English where that language has none; F1 too.
TEST_F(MainDlgTest, HelpInTheLanguageOfTheTexts)
{
    const testing_support::StandInShell shell;
    std::string viewer;
    SetUserProcessCreator([&viewer](const UserProcess& process) {
        viewer = win32::Utf8(process.commandLine);
        return CreatedProcess{1, 0};
    });
    for (const auto& [language, lcid] : {std::pair{"", "\x09\x04"}, {"zh-CN", "\x04\x08"}, {"de", "\x09\x04"}}) {
        SetInterfaceLanguage(language);
        Open();
        Command(IDC_HELP_BT);
        const std::string byButton = std::exchange(viewer, "");
        SendMessageA(Window(), WM_HELP, 0, 0);
        EXPECT_EQ(viewer, byButton) << "F1 opens it too";
        const std::string help = GetModulePath(UiText("strHelpFile"));
        EXPECT_TRUE(viewer.ends_with("\\hh.exe\" \"" + help + "\"")) << viewer;
        EXPECT_EQ(ReadWholeFile(help).substr(0x14, 2), lcid) << help;
    }
    SetInterfaceLanguage({});
    SetUserProcessCreator({});
}

// The tray's Language submenu and the window's box switch the whole window and the tooltip at
// once, and store the choice; a language file's broken placeholder shows the English text.
TEST_F(MainDlgTest, LanguageSwitchesAtOnceFromTheTrayAndTheBox)
{
    Open();
    const std::vector<LanguageFile> languages = AvailableLanguages();
    const auto russian = std::ranges::find(languages, std::string("ru"), &LanguageFile::folder);
    ASSERT_NE(russian, languages.end());
    const auto stored = [] {
        std::string value = "?";
        CRegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) == ERROR_SUCCESS)
            key.QueryString(value, kLanguage);
        return value;
    };
    Command(ID_TRAY_LANGUAGE_FIRST + static_cast<int>(russian - languages.begin()), 0);
    EXPECT_EQ(stored(), "ru");
    CIniFile ru(GetModulePath("lang\\ru\\Kelvane.ini"));
    ASSERT_TRUE(ru.Load());
    EXPECT_EQ(Text(IDC_LZL_BUTTON), ru.GetValue("Resource", "IDC_LZL_BUTTON"));
    EXPECT_EQ(Text(IDC_TITLE1), ru.GetValue("Resource", "Title1"));
    Tick(CMainDlg::kDisplayTimer); // the tooltip's next half second
    EXPECT_EQ(TrayTip().rfind(ru.GetValue("Resource", "IconTipsCPU") + ":", 0), 0u) << TrayTip();
    EXPECT_EQ(win32::ComboBox(Item(IDC_LANGUAGE_COMBO)).Selection(), russian - languages.begin());

    win32::ComboBox(Item(IDC_LANGUAGE_COMBO)).Select(0);
    Command(IDC_LANGUAGE_COMBO, CBN_SELCHANGE);
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(Text(IDC_LZL_BUTTON), ReadIniText(GetModulePath("Kelvane.ini"), "IDC_LZL_BUTTON"));
    Tick(CMainDlg::kDisplayTimer);
    EXPECT_EQ(TrayTip().rfind(UiText("IconTipsCPU") + ":", 0), 0u);

    // A damaged language file: a placeholder missing from one text shows that text in English.
    const std::string file = GetModulePath("lang\\ru\\Kelvane.ini"), kept = ReadWholeFile(file);
    std::string damaged = kept;
    const size_t at = damaged.find("HistoryCount=");
    ASSERT_NE(at, std::string::npos);
    damaged.replace(damaged.find("{0}", at), 3, "");
    testing_support::WriteWholeFile(file, damaged);
    SetInterfaceLanguage("ru");
    EXPECT_EQ(UiText("HistoryCount"), ReadIniText(GetModulePath("Kelvane.ini"), "HistoryCount"));
    EXPECT_EQ(UiText("Title1"), ru.GetValue("Resource", "Title1")) << "only that text";
    testing_support::WriteWholeFile(file, kept);
    SetInterfaceLanguage({});
}

// High contrast turned on and off while the window is open: the panel, the labels and the gauges
// take the scheme's colours, and their own again.
TEST_F(MainDlgTest, FollowsHighContrastWhileOpen)
{
    Open();
    ShowWindow(Window(), SW_SHOWNA);
    auto& title = dynamic_cast<CColorStatic&>(*controls::ControlWindow::FromHandle(Item(IDC_TITLE1)));
    auto& gauge = dynamic_cast<BusyProgressCtrl&>(*controls::ControlWindow::FromHandle(Item(IDC_PHYS_GAUGE)));
    for (const bool on : {true, false}) {
        win32::SetHighContrastSource([on] { return on; });
        SendMessageA(Window(), on ? WM_SETTINGCHANGE : WM_SYSCOLORCHANGE, SPI_SETHIGHCONTRAST, 0);
        RedrawWindow(Window(), nullptr, nullptr, RDW_UPDATENOW);
        EXPECT_EQ(std::vector<COLORREF>({GetPixel(win32::WindowDc(Window()).get(), 10, 200), title.TextColour(),
                                         gauge.colours.highlightFill}),
                  on ? std::vector<COLORREF>({GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT)})
                     : std::vector<COLORREF>({RGB(0, 0, 90), RGB(19, 238, 255), RGB(19, 238, 255)}));
    }
    win32::SetHighContrastSource(nullptr);
}

} // namespace
