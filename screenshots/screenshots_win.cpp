// Opens each window of the program as a user would see it and saves its picture: the main window
// (compact and widened) with its exit question and tray menu, the tool dialogs, the report, the memory
// window, the splash, the custom controls, the windows with policies set and the tray picture on the
// taskbar Windows reports. Run by `make screenshot` under Xvfb; exits non-zero when a picture is missing.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/dialogs/about_dlg_win.h"
#include "app/cleaning/cleaning_dialogs_win.h"
#include "app/cleaning/cleaning_methods_dlg_win.h"
#include "app/cleaning/defrag_query_dlg_win.h"
#include "app/cleaning/history_dlg_win.h"
#include "app/cleaning/history_texts.h"
#include "app/cleaning/memory_map_dlg_win.h"
#include "app/main_window/main_dlg_win.h"
#include "app/texts/memory_texts.h"
#include "app/cleaning/programs_pauses_dlg_win.h"
#include "app/settings/settings.h"
#include "app/settings/settings_win.h"
#include "app/dialogs/splash_dlg_win.h"
#include "app/tray/tray_icon_win.h"
#include "app/tray/tray_picture_win.h"
#include "common/clock.h"
#include "common/resource_text.h"
#include "controls/busy_progress_ctrl_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "history/clean_summary.h"
#include "history/history_file.h"
#include "history/history_store_win.h"
#include "memory/clean_state.h"
#include "memory/cleaning_methods.h"
#include "memory/memory_lists_win.h"
#include "resources/resource.h"
#include "save_picture_win.h"
#include "support/autostart_seams_win.h"
#include "support/cache_registry_fixture_win.h"
#include "support/child_process_win.h"
#include "support/control_host_win.h"
#include "support/dummy_service_win.h"
#include "support/message_pump_win.h"
#include "support/policy_scope_win.h"
#include "support/pretend_machine.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "support/startup_fixture_win.h"
#include "support/tool_dialog_clicks_win.h"
#include "tools/cache/cache_setup_dlg_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/process/process_list_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/startup/autorun_dlg_win.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/run_setup_dlg_win.h"
#include "tools/startup/startup_entries_win.h"
#include "win32/handles.h"
#include "win32/high_contrast.h"
#include "win32/system_look.h"
#include "win32/tool_background.h"

using namespace testing_support;
using controls::Rgb;

namespace {

std::string SystemFile(const char* name)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + name;
}

// Waits, pumping messages, until the dialog has painted its tool background.
bool SaveToolDialog(HWND dialog, const std::string& name)
{
    ShowWindow(dialog, SW_SHOW);
    win32::WindowDc dc(dialog);
    const COLORREF field = win32::ToolColoursFor(win32::SystemLook()).field;
    PumpUntil([&] { return GetPixel(dc.get(), 2, 2) == field; });
    return SavePicture(dialog, name);
}

// Where the main window is shown: a pretended 256 MB machine at a fixed time, fresh settings, which
// are put back afterwards, and modal dialogs cancelled unseen.
struct MainWindowScene {
    RegistrySnapshot settings{HKEY_LOCAL_MACHINE, kSettingsKey};
    RegistrySnapshot run{HKEY_LOCAL_MACHINE, kRunKey};
    PretendMachine machine{256 * kMB, 100 * kMB};
    RecordingHost host;

    MainWindowScene()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        WriteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kCpuMhz, REG_SZ, "1234 MHZ", 9);
        host.modal = [](win32::Dialog&) { return INT_PTR{IDCANCEL}; };
        SetLocalTimeSource([] { return LocalTime{2026, 3, 9, 1, 13, 5, 7}; });
    }
    ~MainWindowScene()
    {
        SetLocalTimeSource(nullptr);
        settings.Restore();
        run.Restore();
    }
};

// The main window compact, then widened during an organise run, then its tray menu.
bool MainWindow()
{
    MainWindowScene scene;
    RecordingHost& host = scene.host;
    bool saved = false;
    {
        win32::Modeless<CMainDlg> dialog;
        dialog.CreateModeless();
        const HWND window = dialog.hwnd();
        const auto command = [&](int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
        SetWindowPos(window, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        for (int i = 0; i < 40; ++i) {
            SendMessageA(window, WM_TIMER, CMainDlg::kDisplayTimer, 0);
            PumpMessagesFor(5);
        }
        saved = SavePicture(window, "main-compact");
        command(IDC_TAB_BUTTON);
        command(IDC_LZL_BUTTON);
        for (int i = 0; i < 4; ++i)
            SendMessageA(window, WM_TIMER, CMainDlg::kOrganiseTimer, 0);
        SendMessageA(window, WM_TIMER, CMainDlg::kDisplayTimer, 0);
        saved = SavePicture(window, "main-wide") && saved;

        // The exit question, as a real message box.
        host.answer = IDNO;
        command(IDC_EXITBT);
        saved = !host.boxes.empty() && saved &&
                SaveMessageBoxPicture(window, host.boxes[0].text, host.boxes[0].caption, host.boxes[0].type, IDNO,
                                      "message");

        // The menu's own loop runs inside the notification: a helper thread takes the picture.
        std::atomic<bool> menuSaved{false};
        std::thread helper([&] {
            for (int i = 0; i < 500 && !menuSaved; ++i) {
                HWND menu = FindWindowA("#32768", nullptr);
                if (menu && IsWindowVisible(menu))
                    menuSaved = SavePicture(menu, "tray-menu");
                Sleep(20);
            }
            EndMenu();
        });
        PostMessageA(window, WM_TRAY_NOTIFY, MAKEWPARAM(40, 40), MAKELPARAM(WM_CONTEXTMENU, IDR_TRAY_MENU));
        PumpUntil([&] { return menuSaved.load(); }, 12000);
        helper.join();
        saved = menuSaved && saved;
        SetCleanBusy(false);
    }
    return saved;
}

bool Splash()
{
    win32::Modeless<CSplashDlg> splash;
    splash.CreateModeless();
    KillTimer(splash.hwnd(), CSplashDlg::kCloseTimer);
    return SavePicture(splash.hwnd(), "splash");
}

// The about box, then with its website link reached by the keyboard.
bool About()
{
    win32::Modeless<CAboutDlg> dialog;
    dialog.CreateModeless();
    const bool saved = SaveToolDialog(dialog.hwnd(), "about");
    SetFocus(dialog.Item(IDOK));
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    IsDialogMessageA(dialog.hwnd(), &tab);
    UpdateWindow(dialog.hwnd());
    return SavePicture(dialog.hwnd(), "about-focus") && saved;
}

bool Confirm()
{
    RegistrySnapshot settings(HKEY_LOCAL_MACHINE, kSettingsKey);
    DeleteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kNoticeDialog);
    bool saved = false;
    {
        win32::Modeless<CDefragQueryDlg> dialog;
        dialog.CreateModeless();
        saved = SavePicture(dialog.hwnd(), "confirm");
    }
    settings.Restore();
    return saved;
}

bool CleaningMethods()
{
    win32::Modeless<CCleaningMethodsDlg> dialog({kFillAndRelease | kEmptyWorkingSets | kPurgeStandbyList, true, 40}, kAllMethods);
    dialog.CreateModeless();
    const bool saved = SavePicture(dialog.hwnd(), "cleaning-methods");
    CleaningMethodSettings settings;
    settings.keepWorkingSets = {"game.exe", "C:\\Program Files\\Studio\\studio.exe"};
    settings.pausePrograms = {"obs64.exe", "vlc.exe"};
    settings.intervalMinutes = 10;
    settings.backOffPercent = 2;
    win32::Modeless<CProgramsPausesDlg> page(settings);
    page.CreateModeless();
    return SavePicture(page.hwnd(), "programs-pauses") && saved;
}

// The report of a classic run, then of one with operations, each saved while it is shown.
bool Reports()
{
    bool saved = true;
    std::string name = "report";
    RecordingHost host;
    host.modal = [&](win32::Dialog& dialog) {
        dialog.CreateModeless(nullptr);
        saved = SavePicture(dialog.hwnd(), name) && saved;
        dialog.EndDialog(IDOK);
        return INT_PTR{IDOK};
    };
    PretendMachine machine(512 * kMB, 300 * kMB);
    CleanMeasurement measured = MeasureCleanStart();
    measured.before.availPhys = 212 * kMB;
    MeasureCleanEnd(measured);
    ShowCleaningReport(measured);
    RunOutcome outcome;
    outcome.results = {{kEmptyWorkingSets, kStatusSuccess}, {kPurgeStandbyList, kStatusPrivilegeNotHeld},
                       {kCombinePages, kStatusInvalidInfoClass}};
    outcome.workingSets = WorkingSetCounts{2, 87, 4};
    outcome.listsSampled = true;
    outcome.listsBefore = {1843 * kMB, 120 * kMB};
    outcome.listsAfter = {1210 * kMB, 4 * kMB};
    name = "report-methods";
    CleanRecord followedUp;
    followedUp.availBefore = 212 * kMB;
    followedUp.availAfter = 300 * kMB;
    followedUp.availAfterFollowUp = 231 * kMB;
    followedUp.followUpEnd = FollowUpEnd::Minute;
    followedUp.diskReadsBefore = 900;
    followedUp.diskReadsAfter = 3060;
    const std::string followUpLine =
        FollowUpWords(followedUp, [](const char* key) { return CResourceText().Text(key); }, true);
    ShowCleaningReport(measured, outcome,
                       FillPlaceholders(CResourceText().Text("ReportHistoryNotKept"), {HistoryFolder()}),
                       [&] { return followUpLine; });
    return saved;
}

// A week of cleans of every kind, written to the history as Tidewell writes them, and the window
// that shows them.
bool History()
{
    const auto wipe = [] {
        WIN32_FIND_DATAA found{};
        const std::string folder = HistoryFolder();
        win32::UniqueFind find(FindFirstFileA((folder + "\\" + kBlockPattern).c_str(), &found));
        if (find)
            do
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
            while (FindNextFileA(find.get(), &found));
    };
    wipe();
    PretendPlaces places;
    HistoryWriter writer;
    const struct {
        int day, hour, minute;
        CleanTrigger trigger;
        CleanResult result;
        int eighths;
        int64_t freedMB;
    } cleans[] = {
        {3, 9, 12, CleanTrigger::Button, CleanResult::Done, 6, 612},     {3, 14, 40, CleanTrigger::Tray, CleanResult::Done, 4, 233},
        {4, 11, 5, CleanTrigger::Automatic, CleanResult::Done, 6, 845},  {5, 8, 30, CleanTrigger::Organise, CleanResult::Done, 3, 148},
        {5, 17, 2, CleanTrigger::Automatic, CleanResult::Skipped, 0, 0}, {6, 10, 45, CleanTrigger::Standby, CleanResult::Done, 4, 391},
        {7, 13, 20, CleanTrigger::Console, CleanResult::Done, 2, 97},    {7, 22, 10, CleanTrigger::Button, CleanResult::Stopped, 6, 310},
        {8, 9, 55, CleanTrigger::Automatic, CleanResult::Done, 6, 702},  {8, 16, 33, CleanTrigger::Tray, CleanResult::Refused, 2, -4},
        {9, 11, 18, CleanTrigger::Organise, CleanResult::Done, 3, 186},  {9, 12, 50, CleanTrigger::Button, CleanResult::Done, 6, 534},
    };
    for (const auto& clean : cleans) {
        CleanRecord record;
        record.startLocal = {2026, 3, clean.day, 0, clean.hour, clean.minute, 7};
        record.startUtc = {2026, 3, clean.day, 0, clean.hour - 1, clean.minute, 7};
        record.trigger = clean.trigger;
        record.result = clean.result;
        record.reason = clean.result == CleanResult::Skipped ? "cancelled" : "";
        record.growing = clean.eighths == 6;
        record.eighths = clean.eighths;
        record.durationMs = static_cast<uint32_t>(clean.eighths * 700 + clean.minute * 10);
        if (clean.result != CleanResult::Skipped) {
            record.methods = {{kFillAndRelease, kStatusSuccess}};
            record.freedMB = clean.freedMB;
            // Automatic cleans mostly come back within the minute and cost disk reads; manual ones less.
            const bool automatic = IsAutomatic(clean.trigger);
            record.availBefore = 2048 * kMB;
            record.availAfter = static_cast<uint64_t>(2048 + clean.freedMB) * kMB;
            record.followUpEnd = clean.result == CleanResult::Stopped ? FollowUpEnd::Exit : FollowUpEnd::Minute;
            record.followUpMs = clean.result == CleanResult::Stopped ? 0 : 60000;
            if (clean.result != CleanResult::Stopped)
                record.availAfterFollowUp = *record.availAfter - (clean.freedMB > 0 ? clean.freedMB * (automatic ? 8 : 3) / 10 : 0) * kMB;
            if (clean.result != CleanResult::Stopped) {
                record.diskReadsBefore = 900;
                record.diskReadsAfter = automatic ? 2700 : 1020;
            }
        }
        writer.Append(record);
    }
    SetLocalTimeSource([] { return LocalTime{2026, 3, 9, 1, 13, 5, 7}; });
    bool saved = false;
    {
        CleanRecord waiting; // the clean of a moment ago, its minute after still measured
        waiting.startLocal = {2026, 3, 9, 1, 13, 4, 40};
        waiting.startUtc = {2026, 3, 9, 1, 12, 4, 40};
        waiting.growing = true;
        waiting.eighths = 6;
        waiting.durationMs = 4300;
        waiting.methods = {{kFillAndRelease, kStatusSuccess}};
        waiting.freedMB = 480;
        win32::Modeless<CHistoryDlg> dialog(waiting);
        dialog.CreateModeless();
        saved = SaveToolDialog(dialog.hwnd(), "history");
    }
    // As under a plain Wine prefix, where the folder is not one only administrators can change.
    places.protectedPlace = false;
    {
        win32::Modeless<CHistoryDlg> dialog;
        dialog.CreateModeless();
        saved = SaveToolDialog(dialog.hwnd(), "history-not-kept") && saved;
    }
    SetLocalTimeSource(nullptr);
    wipe();
    return saved;
}

// The memory window with lists and a file cache in the shares a busy Windows has (Wine has
// neither), then as Wine gives it.
bool MemoryWindow()
{
    static uint64_t pages;
    pages = ReadMemoryFigures().totalPhys / 4096 / 100; // one percent of memory in 4 KB pages
    NtSystemCalls calls;
    calls.query = [](uint32_t infoClass, void* data, uint32_t length) {
        auto* words = static_cast<ULONG_PTR*>(data);
        std::fill(words, words + length / sizeof(ULONG_PTR), 0);
        if (infoClass == kSystemFileCacheInformation) {
            words[0] = static_cast<ULONG_PTR>(4 * pages * 4096);
            return kStatusSuccess;
        }
        if (infoClass != kSystemMemoryListInformation)
            return kStatusNotImplemented;
        // Zeroed, free, modified, then standby by priority from index 5.
        const uint64_t shares[] = {9, 3, 2, 0, 0, 1, 2, 3, 0, 0, 9, 7, 5};
        for (size_t i = 0; i < std::size(shares); ++i)
            words[i] = static_cast<ULONG_PTR>(shares[i] * pages);
        return kStatusSuccess;
    };
    SetNtSystemCalls(calls);
    bool saved = false;
    {
        win32::Modeless<CMemoryMapDlg> dialog;
        dialog.CreateModeless();
        saved = SaveToolDialog(dialog.hwnd(), "memory-map");
    }
    SetNtSystemCalls({});
    {
        win32::Modeless<CMemoryMapDlg> dialog;
        dialog.CreateModeless();
        saved = SaveToolDialog(dialog.hwnd(), "memory-map-wine") && saved;
    }
    return saved;
}

bool Cache()
{
    CacheRegistryBackup backup;
    CacheRegistryBackup::StartFresh();
    bool saved = false;
    {
        win32::Modeless<CCacheSetupDlg> dialog([] { return 512; });
        dialog.CreateModeless();
        saved = SaveToolDialog(dialog.hwnd(), "cache");
    }
    backup.Restore();
    return saved;
}

bool Processes()
{
    ChildFolder folder("shot");
    SleepingChild child(folder.path(), "sleeper.exe");
    CProcessList list;
    PumpUntil([&] {
        if (list.Refresh(false))
            for (int i = 0; i < list.Count(); ++i)
                if (list.ProcessId(i) == child.Id())
                    return true;
        return false;
    });
    win32::Modeless<CProcessDlg> dialog([] { return false; });
    dialog.CreateModeless();
    ClickListRow(dialog.Item(IDC_PROCESS_LIST), 1);
    return SavePicture(dialog.hwnd(), "process");
}

// A dummy service stands in for Telnet, which Wine does not have (row 8 of the table).
bool Services()
{
    DummyService telnet("TlntSvr");
    telnet.SetDescription("Lets a remote user log on and run programs from a command line.");
    telnet.Start();
    win32::Modeless<CServiceDlg> dialog;
    dialog.CreateModeless();
    ClickListRow(dialog.Item(IDC_SERVICE_LIST), 8);
    return SavePicture(dialog.hwnd(), "service");
}

bool Startup()
{
    startup_testing::StartupState state("startup-screenshot");
    RecordingHost host;
    using startup_testing::SetValue;
    SetValue(MachineRun, "Notepad", "\"" + SystemFile("notepad.exe") + "\" /autostart");
    SetValue(MachineRunDisabled, "Updater", "C:\\Program Files\\Updater\\update.exe -silent");
    SetValue(UserRun, "Clock", SystemFile("winver.exe"));
    CDelayList(state.DelayList()).Append({"Mail", SystemFile("write.exe"), Delayed, 5, 5});
    SetValue(UserRunDisabled, "Clock", SystemFile("winver.exe")); // a paused copy of an active entry

    win32::Modeless<CAutorunDlg> items(state.DelayList());
    items.CreateModeless();
    items.List().FocusRow(1);
    bool saved = SavePicture(items.hwnd(), "startup");
    // The conflicts check removed the stale copy as the list opened, and said so.
    saved = !host.boxes.empty() && saved &&
            SaveMessageBoxPicture(items.hwnd(), host.boxes[0].text, host.boxes[0].caption, host.boxes[0].type, IDOK,
                                  "startup-conflicts");

    // Delaying into a Delay.ini the launcher would refuse (Wine's own answer), as a real box.
    state.places.protectedPlace = false;
    SetStartMode({"Notepad", "notepad.exe", MachineRun}, StartDelayed, 5, state.DelayList(), items.hwnd());
    saved = !host.boxes.empty() && saved &&
            SaveMessageBoxPicture(items.hwnd(), host.boxes.back().text, host.boxes.back().caption,
                                  host.boxes.back().type, IDOK, "startup-delay-refused");
    ShowWindow(items.hwnd(), SW_HIDE);

    win32::Modeless<CRunSetupDlg> mode;
    mode.name = "Mail";
    mode.command = SystemFile("write.exe");
    mode.mode = StartDelayed;
    mode.minutes = 5;
    mode.CreateModeless();
    return SavePicture(mode.hwnd(), "start-mode") && saved;
}

// The custom controls side by side: title label, memory history, load graph and four gauges,
// labelled with the main window's texts.
bool Controls()
{
    using namespace controls;
    ControlHost host(480, 300, WS_POPUP | WS_VISIBLE);
    SetWindowPos(host.hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CResourceText texts;

    CColorStatic title;
    title.Create(" Tidewell", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{10, 8, 470, 34}, host.hwnd(), 1);
    title.SetBkColor(Rgb(0, 0, 90));
    title.SetTextColor(Rgb(19, 238, 255));
    title.SetFontName("Tahoma");
    title.SetFontHeight(18);

    CHistoryBarGraph memory;
    memory.Create(WS_CHILD | WS_VISIBLE, RECT{10, 44, 234, 158}, host.hwnd(), 5470);
    memory.SetRange(0, 1024);
    for (int i = 0; i < 60; ++i) {
        const int used = 600 + static_cast<int>(250 * std::sin(i / 7.0)) + (i > 50 ? 150 : 0);
        memory.SetCaption(MemoryGraphCaption(texts.TextOr("strMemoryUse", "USE"), 100 - used * 100 / 1024));
        memory.SetCaptionColor(used * 100 / 1024 > 85 ? Rgb(255, 0, 0) : Rgb(19, 238, 255));
        memory.SetPos(used);
    }

    CLineGraph load;
    load.Create(WS_CHILD | WS_VISIBLE, RECT{246, 44, 470, 158}, host.hwnd(), 5469);
    load.AddSeries(std::make_unique<CLineGraphSeries>("CPU", Rgb(255, 249, 100), 1, -5, 100));
    for (int i = 0; i < 80; ++i) {
        load.AddValue(0, 30 + static_cast<int>(25 * std::sin(i / 5.0)));
        load.AddValue(0, (i * 37) % 60);
        load.Advance();
    }

    const BusyProgressColours colours{Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(85, 85, 85), Rgb(19, 238, 255),
                                      Rgb(19, 238, 255)};
    CColorStatic labels[4];
    const std::string names[4] = {texts.Text("RAMFreeStr"), texts.Text("PageFreeStr"), texts.Text("VRAMFreeStr"),
                                  texts.Text("Title4")};
    BusyProgressCtrl gauges[4];
    const int positions[3] = {620, 180, 1024};
    for (int i = 0; i < 4; ++i) {
        const int top = 170 + 30 * i;
        labels[i].Create(names[i].c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{10, top, 130, top + 20}, host.hwnd(),
                         10 + i);
        labels[i].SetBkColor(Rgb(215, 215, 215));
        labels[i].SetTextColor(Rgb(0, 0, 90));
        gauges[i].Create(WS_CHILD | WS_VISIBLE, RECT{140, top, 470, top + 14}, host.hwnd(), 1009 + i);
        gauges[i].colours = colours;
        gauges[i].state.upper = 1024;
        if (i < 3) {
            gauges[i].state.mode = kModeProgress;
            gauges[i].state.position = positions[i];
        } else {
            gauges[i].colours = BusyProgressColours{Rgb(215, 215, 215)};
            gauges[i].state.busyStyle = kStyleBlock;
            gauges[i].state.position = 70;
        }
        gauges[i].Invalidate();
    }
    return SavePicture(host.hwnd(), "controls");
}

// What an organisation's policies set, greyed, with the line that says so: the widened main window,
// the cleaning methods and their second page.
bool Policies()
{
    const MainWindowScene scene;
    const PolicyScope policies;
    for (const auto& [name, value] : {std::pair{kRamAlertValue, 20}, {kSoundAlert, 0}, {kAutoDefrag, 1},
                                      {kCleanMethods, 11}, {kAutoCleanInterval, 10}})
        policies.Set(name, value);
    bool saved = false;
    {
        win32::Modeless<CMainDlg> dialog;
        dialog.CreateModeless();
        SetWindowPos(dialog.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TAB_BUTTON, BN_CLICKED), 0);
        for (int i = 0; i < 4; ++i) {
            SendMessageA(dialog.hwnd(), WM_TIMER, CMainDlg::kDisplayTimer, 0);
            PumpMessagesFor(5);
        }
        saved = SavePicture(dialog.hwnd(), "main-policy");
    }
    win32::Modeless<CCleaningMethodsDlg> methods(ReadCleaningMethodSettings(), kAllMethods);
    methods.CreateModeless();
    saved = SavePicture(methods.hwnd(), "cleaning-methods-policy") && saved;
    win32::Modeless<CProgramsPausesDlg> page(ReadCleaningMethodSettings());
    page.CreateModeless();
    return SavePicture(page.hwnd(), "programs-pauses-policy") && saved;
}

// The tray picture at little, more and most memory in use, at the sizes of 100, 150 and 200 %, each
// beside a copy four times as large, on the taskbar Windows reports: tray-light or tray-dark.
bool TrayPictures()
{
    const bool light = win32::TaskbarIsLight();
    const int sizes[] = {16, 24, 32};
    const MemoryStatus uses[] = {{200, 256, 0, 0}, {100, 256, 0, 0}, {40, 256, 0, 0}};
    constexpr int kCell = 32 * 5 + 24, kMargin = 12;
    const int width = 3 * kCell + kMargin, height = (16 + 24 + 32) * 4 + 4 * kMargin;
    ControlHost host(width, height, WS_POPUP | WS_VISIBLE);
    SetWindowPos(host.hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CTrayPicturePainter painter;
    painter.SetLook(light, std::nullopt);
    win32::WindowDc screen(host.hwnd());
    // A static shows a 32-bit picture through its alpha, which GDI's fills leave at 0: set at the end.
    BITMAPINFO layout{};
    layout.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::UniqueGdi<HBITMAP> sheet(CreateDIBSection(screen.get(), &layout, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get())), one(CreateCompatibleDC(screen.get()));
        win32::UniqueGdi<HBITMAP> cell(CreateCompatibleBitmap(screen.get(), 32, 32));
        win32::SelectObjectScope sheetScope(dc.get(), sheet.get()), cellScope(one.get(), cell.get());
        win32::UniqueGdi<HBRUSH> taskbar(CreateSolidBrush(light ? kLightTaskbar : kDarkTaskbar));
        const RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, taskbar.get());
        SetStretchBltMode(dc.get(), COLORONCOLOR);
        int top = kMargin;
        for (const int size : sizes) {
            for (int i = 0; i < 3; ++i) {
                win32::UniqueIcon picture(painter.Build(host.hwnd(), uses[i], size));
                const int left = kMargin + i * kCell;
                DrawIconEx(dc.get(), left, top, picture.get(), size, size, 0, nullptr, DI_NORMAL);
                FillRect(one.get(), &all, taskbar.get());
                DrawIconEx(one.get(), 0, 0, picture.get(), size, size, 0, nullptr, DI_NORMAL);
                StretchBlt(dc.get(), left + size + 8, top, size * 4, size * 4, one.get(), 0, 0, size, size, SRCCOPY);
            }
            top += size * 4 + kMargin;
        }
        GdiFlush();
        for (int i = 0; i < width * height; ++i)
            static_cast<std::uint32_t*>(bits)[i] |= 0xFF000000u;
    }
    HWND shown = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, width, height, host.hwnd(),
                                 nullptr, nullptr, nullptr);
    SendMessageA(shown, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(sheet.get()));
    const bool saved = SavePicture(host.hwnd(), light ? "tray-light" : "tray-dark");
    SendMessageA(shown, STM_SETIMAGE, IMAGE_BITMAP, 0);
    return saved;
}

} // namespace

// Without arguments every picture; otherwise the groups named (main, process, ...).
int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // Wine keeps no high-contrast setting: the prefix holds a high-contrast scheme's colours.
    if (std::getenv("TIDEWELL_SCREENSHOT_HIGH_CONTRAST"))
        win32::SetHighContrastSource([] { return true; });
    // The pictures of one language: a folder under lang\, as the user would choose it.
    if (const char* language = std::getenv("TIDEWELL_SCREENSHOT_LANGUAGE"))
        SetInterfaceLanguage(language);
    const std::pair<std::string, std::function<bool()>> pictures[] = {
        {"main", MainWindow},   {"splash", Splash},   {"about", About},         {"confirm", Confirm},
        {"methods", CleaningMethods}, {"report", Reports}, {"history", History}, {"memory", MemoryWindow},
        {"cache", Cache},       {"process", Processes}, {"service", Services}, {"startup", Startup},
        {"controls", Controls}, {"policies", Policies}, {"tray", TrayPictures},
    };
    const std::vector<std::string> wanted(argv + 1, argv + argc);
    int missing = 0;
    for (const auto& [name, take] : pictures) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), name) == wanted.end())
            continue;
        if (!take()) {
            std::fprintf(stderr, "screenshots: %s not saved\n", name.c_str());
            ++missing;
        }
    }
    return missing == 0 ? 0 : 1;
}
