// The five timers, the tray picture and the start and end of a clean-up run.
#include "app/main_dlg_win.h"

#include <mmsystem.h>

#include "app/main_dlg_dialogs_win.h"
#include "app/settings_win.h"
#include "common/clock.h"
#include "common/module_path.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "monitors/cpu_usage_win.h"
#include "monitors/system_load_win.h"
#include "resources/resource.h"
#include "tools/startup/delay_launcher_win.h"

using controls::Rgb;

namespace {

constexpr controls::Colour kLightBlue = Rgb(19, 238, 255);

TickSettings g_tickSettings; // the tick's own view of the stored settings

constexpr int kCleaningButtons[] = {IDC_LZL_BUTTON, IDC_CLEANRAM_BT};
constexpr int kToolButtons[] = {IDC_BUTTONOT1, IDC_MSCONFIG_BT, IDC_PROCESSMG_BT, IDC_SERVICEMG_BT};

struct WorkerStart {
    int steps;
    HWND window;
};

DWORD WINAPI CleanUpThread(LPVOID parameter)
{
    const WorkerStart start = *static_cast<WorkerStart*>(parameter);
    delete static_cast<WorkerStart*>(parameter);
    return static_cast<DWORD>(CMemoryCleaner::CleanUpWorker(start.steps, start.window));
}

} // namespace

std::function<void(const std::string& path)>& AlertSoundPlayer()
{
    static std::function<void(const std::string&)> player = [](const std::string& path) {
        PlaySoundA(path.c_str(), nullptr, SND_FILENAME);
    };
    return player;
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kDisplayTimer: OnDisplayTick(); break;
    case kRulesTimer: OnRulesTick(); break;
    case kHiddenStartTimer: OnHiddenStartTick(); break;
    case kLauncherTimer: OnLauncherTick(); break;
    case kOrganiseTimer: OnOrganiseTick(); break;
    default: break;
    }
}

void CMainDlg::OnDisplayTick()
{
    KillTimer(hwnd(), kDisplayTimer);
    ReadControls();

    const LocalTime now = CurrentLocalTime();
    const std::string& weekday = texts_.weekdays[static_cast<size_t>(now.dayOfWeek) % texts_.weekdays.size()];
    SetItemText(IDC_CLOCK_TITLE, ClockHeading(texts_.curTime));
    SetItemText(IDC_CLOCK_LINE, DateLine(now, fields_.twelveHour, weekday));

    RefreshMemoryFigures();

    int32_t load = 0;
    CCpuUsage::Sample(&load);
    cpuGraph_.AddValue(cpuSeries_, load);
    cpuGraph_.Advance();

    int32_t systemLoad = 0, freePercent = 0;
    GetSystemLoad(&systemLoad, &freePercent);
    tray_.SetTooltipText(TrayTooltip(texts_.tipsCpu, load, texts_.tipsRam, freePercent));
    memoryGraph_.SetCaptionColor(MemoryAtAlert(freePercent, fields_.alertText) ? Rgb(255, 0, 0) : kLightBlue);
    memoryGraph_.SetCaption(MemoryGraphCaption(freePercent));
    SetItemText(IDC_CPU_LOAD, ProcessorLoadLine(texts_.cpuLoad, load));

    SetTimer(hwnd(), kDisplayTimer, kDisplayMs, nullptr);
}

void CMainDlg::RefreshMemoryFigures()
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    const MemoryFigures figures = ReadMemoryFigures();
    const double pageFree = FreeRatio(figures.availPageFile, figures.totalPageFile);
    const double virtualFree = FreeRatio(figures.availVirtual, figures.totalVirtual);
    SetItemText(IDC_PAGE_PERCENT, PercentLine(pageFree * 100, texts_.pageFree));
    SetItemText(IDC_VIRT_PERCENT, PercentLine(virtualFree * 100, texts_.vramFree));
    SetItemText(IDC_PHYS_PERCENT, PercentLine(PhysicalFreePercent(status), texts_.ramFree));

    const int positions[] = {status.availPhysMB, static_cast<int>(status.totalPhysMB * pageFree),
                             static_cast<int>(status.totalPhysMB * virtualFree)};
    for (size_t i = 0; i < 3; ++i) {
        gauges_[i].state.position = positions[i];
        gauges_[i].Invalidate();
    }
    SetItemText(IDC_PRAM_LINE, PhysicalLine(texts_.pramTotal, status.totalPhysMB, texts_.pramFree, status.availPhysMB));
    if (memoryGraph_.hwnd()) {
        memoryGraph_.SetRange(0, status.totalPhysMB);
        memoryGraph_.SetPos(status.totalPhysMB - status.availPhysMB);
    }
}

void CMainDlg::OnRulesTick()
{
    KillTimer(hwnd(), kRulesTimer);
    ReadTickSettings(g_tickSettings);
    const int32_t alertValue = g_tickSettings.ramAlertValue;

    if (g_tickSettings.soundAlert && !CleanState.busy) {
        int32_t load = 0, freePercent = 0;
        GetSystemLoad(&load, &freePercent);
        if (AlertDue(true, false, freePercent, alertValue)) {
            tray_.SetIconResource(IDI_ALERT);
            AlertSoundPlayer()(GetModulePath("Alert.wav"));
        }
    }

    bool busyShown = false;
    if (g_tickSettings.autoDefrag) {
        int32_t load = 0, freePercent = 0;
        if (!CleanState.busy)
            GetSystemLoad(&load, &freePercent);
        switch (DecideAutoClean(CleanState.busy, freePercent, alertValue, AskArmed)) {
        case AutoCleanAction::ShowBusy:
            tray_.SetIconResource(IDI_BUSY);
            busyShown = true;
            break;
        case AutoCleanAction::Ask: {
            const bool accepted = AskBeforeAutomaticClean(hwnd());
            AfterAutoCleanAnswer(accepted, AskArmed);
            if (accepted && !exiting_)
                StartCleanUpRun();
            break;
        }
        case AutoCleanAction::None: break;
        }
    }
    if (!busyShown)
        RefreshTrayPicture();
    if (!exiting_)
        SetTimer(hwnd(), kRulesTimer, kRulesMs, nullptr);
}

void CMainDlg::RefreshTrayPicture()
{
    if (CleanState.busy) {
        tray_.SetIconResource(IDI_BUSY);
        return;
    }
    win32::UniqueIcon picture(BuildTrayPicture(hwnd()));
    if (picture)
        tray_.SetIcon(picture.get());
}

void CMainDlg::OnHiddenStartTick()
{
    ShowWindow(hwnd(), SW_HIDE);
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const Box centred = CentredBox(ToBox(r), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd(), nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KillTimer(hwnd(), kHiddenStartTimer);
}

void CMainDlg::OnLauncherTick()
{
    KillTimer(hwnd(), kLauncherTimer);
    if (DelayedLauncher().OnTick(hwnd()))
        SetTimer(hwnd(), kLauncherTimer, kDelayLauncherPeriodMs, nullptr);
}

void CMainDlg::OnOrganiseTick()
{
    KillTimer(hwnd(), kOrganiseTimer);
    const int tick = ++CleanState.tick;
    if (tick <= 7) {
        SetItemText(IDC_CLEAN_PERCENT, CMemoryCleaner::ProgressText(tick));
        gauges_[3].state.position = CMemoryCleaner::GaugePosition(tick);
        gauges_[3].Invalidate();
        SetTimer(hwnd(), kOrganiseTimer, kOrganiseMs, nullptr);
        return;
    }
    ReadControls();
    CMemoryCleaner::RecordBefore();
    CMemoryCleaner::CleanStep(CleanState.amountEighths, fields_.cleanClipboard, hwnd());
    ReadControls();
    if (fields_.buildReport && !exiting_)
        ShowReportAfterRun();
    ResetCleanDisplay();
    CleanState.amountEighths = 0;
    CleanState.tick = 0;
    CleanState.cleanUpRun = false;
    EnableCleaningButtons(true);
    EnableToolButtons(true);
    SetCleanBusy(false);
}

void CMainDlg::ResetCleanDisplay()
{
    gauges_[3].state.position = 0;
    gauges_[3].Invalidate();
    SetItemText(IDC_CLEAN_PERCENT, "0 %");
}

void CMainDlg::EnableCleaningButtons(bool enable)
{
    for (int id : kCleaningButtons)
        EnableItem(id, enable);
}

void CMainDlg::EnableToolButtons(bool enable)
{
    for (int id : kToolButtons)
        EnableItem(id, enable);
}

void CMainDlg::StartCleanUpRun()
{
    if (CleanState.busy)
        return;
    EnableToolButtons(false);
    InitCleanGauge(Rgb(0, 255, 0));
    Label(IDC_TITLE4).SetTextColor(Rgb(0, 238, 0));
    int32_t load = 0, freePercent = 0;
    GetSystemLoad(&load, &freePercent);
    CleanState.amountEighths = CMemoryCleaner::StepCountFor(freePercent);
    CleanState.cleanUpRun = true;
    EnableCleaningButtons(false);
    SetCleanBusy(true);
    CleanState.tick = 0;
    CMemoryCleaner::RecordBefore();

    auto* start = new WorkerStart{CleanState.amountEighths, hwnd()};
    worker_.reset(CreateThread(nullptr, 0, CleanUpThread, start, 0, nullptr));
    if (!worker_) {
        delete start;
        OnCleanUpDone(); // no thread: end the run at once rather than stay busy
    }
}

void CMainDlg::OnCleanUpDone()
{
    ReadControls();
    if (fields_.buildReport && !exiting_)
        ShowReportAfterRun();
    SetItemText(IDC_CLEAN_PERCENT, "0 %");
    InitCleanGauge(kLightBlue);
    gauges_[3].state.position = 0;
    gauges_[3].Invalidate();
    Label(IDC_TITLE4).SetTextColor(kLightBlue);
    {
        std::lock_guard<std::mutex> lock(CleanLock);
        CleanState.busy = false;
        CleanState.amountEighths = 0;
        CleanState.tick = 0;
        CleanState.cleanUpRun = false;
    }
    EnableCleaningButtons(true);
    EnableToolButtons(true);
}

bool CMainDlg::WaitForCleanUpWorker(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (CleanUpWorkerRunning()) {
        const DWORD elapsed = GetTickCount() - start;
        if (timeoutMs != INFINITE && elapsed >= timeoutMs)
            return false;
        HANDLE handle = worker_.get();
        const DWORD wait = MsgWaitForMultipleObjects(1, &handle, FALSE,
                                                     timeoutMs == INFINITE ? INFINITE : timeoutMs - elapsed,
                                                     QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            break;
        // The worker sends its progress and its end to this thread: let them through.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    worker_.reset();
    return true;
}
