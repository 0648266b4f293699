// The timers of the monitor and the rules, the tray picture.
#include "app/main_window/main_dlg_win.h"

#include <mmsystem.h>

#include "app/cleaning/cleaning_dialogs_win.h"
#include "app/texts/clock_texts.h"
#include "app/texts/memory_texts.h"
#include "app/texts/processor_texts.h"
#include "app/settings/settings_win.h"
#include "app/cleaning/system_load_win.h"
#include "app/texts/tray_texts.h"
#include "common/clock.h"
#include "common/module_path.h"
#include "common/resource_text.h"
#include "common/running_programs_win.h"
#include "common/shell_state_win.h"
#include "memory/clean_state.h"
#include "memory/free_memory.h"
#include "memory/memory_cleaner.h"
#include "memory/memory_lists_win.h"
#include "monitors/cpu_usage_win.h"
#include "resources/resource.h"
#include "tools/startup/delay_launcher_win.h"
#include "win32/dpi.h"
#include "win32/program_name.h"
#include "win32/system_library.h"

namespace {

// Read only when the option is on: the query is a system call each second.
bool StandbyListFullNow(uint64_t totalPhys, int32_t sharePercent)
{
    const std::optional<MemoryListSizes> lists = QueryMemoryLists();
    return lists && StandbyListFull(lists->standbyBytes, totalPhys, sharePercent);
}

} // namespace

namespace {
std::function<void(const std::string&)> alertSoundPlayer;
} // namespace

void SetAlertSoundPlayer(std::function<void(const std::string& path)> player)
{
    alertSoundPlayer = std::move(player);
}

void PlayAlertSound(const std::string& path)
{
    if (alertSoundPlayer)
        alertSoundPlayer(path);
    else if (static const auto play = win32::SystemFunction<decltype(&PlaySoundA)>("winmm.dll", "PlaySoundA"); play)
        play(path.c_str(), nullptr, SND_FILENAME);
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    const HandlerScope scope(*this);
    switch (id) {
    case kDisplayTimer: {
        const MemoryFigures figures = OnDisplayTick();
        rulesTurn_ = !rulesTurn_;
        if (!rulesTurn_)
            OnRulesTick(figures); // last: its question lets the next display ticks in
        break;
    }
    case kRulesTimer: OnRulesTick(ReadMemoryFigures()); break;
    case kHiddenStartTimer: OnHiddenStartTick(); break;
    case kLauncherTimer: OnLauncherTick(); break;
    case kOrganiseTimer: OnOrganiseTick(); break;
    default: break;
    }
}

// The display timer runs on by itself: the tick opens no window that could let it in twice.
MemoryFigures CMainDlg::OnDisplayTick()
{
    // Every change to the controls the tick exchanges arrives as a command first.
    if (controlsMayHaveChanged_) {
        ReadControls();
        controlsMayHaveChanged_ = false;
    }

    // One reading of each source a tick: every figure below agrees with the others.
    const MemoryFigures figures = ReadMemoryFigures();
    const MemoryStatus status = StatusFromFigures(figures);
    int32_t load = 0;
    PagingCounters paging;
    CCpuUsage::Sample(&load, &paging); // the same record: the paging counts cost no call
    const uint32_t now = TickCount();
    pagingMinutes_.Add(now, paging);
    if (auto measured = followUp_.Tick(now, figures.availPhys, paging))
        FollowedUp(*measured);

    // The graphs take their step hidden too, and catch up when shown.
    StepMemoryGraph(status);
    cpuGraph_.AddValue(cpuSeries_, load);
    cpuGraph_.Advance();

    const int32_t freePercent = FreeMemoryPercent(status);
    tray_.SetTooltipText(TrayTooltip(texts_.tipsCpu, load, texts_.tipsRam, freePercent, holdTip_));
    const bool atAlert = MemoryAtAlert(freePercent, fields_.alertText);
    memoryGraph_.SetCaptionColor(atAlert ? palette_.captionAlert : palette_.caption);
    memoryGraph_.SetCaption(MemoryGraphCaption(texts_.memoryUse, freePercent));
    if (freePercent != shownFreePercent_) {
        shownFreePercent_ = freePercent;
        memoryGraph_.ValueShown();
    }

    // The labels' texts are most of a hidden tick's work: they are made when the window can be
    // seen, or when a label is read or painted (its text-needed call), from the latest figures.
    figuresToShow_ = TickFigures{figures, status, load};
    if (IsWindowVisible(hwnd()))
        ShowTickFigures();
    return figures;
}

void CMainDlg::LetTickLabelsAsk()
{
    for (const int id : {IDC_CLOCK_TITLE, IDC_CLOCK_LINE, IDC_PAGE_PERCENT, IDC_VIRT_PERCENT, IDC_PHYS_PERCENT,
                         IDC_PRAM_LINE, IDC_CPU_LOAD})
        Label(id).WhenTextNeeded([this] { ShowTickFigures(); });
}

void CMainDlg::ShowTickFigures()
{
    if (!figuresToShow_)
        return;
    const TickFigures shown = *figuresToShow_;
    figuresToShow_.reset();
    const LocalTime now = CurrentLocalTime();
    const std::string& weekday = texts_.weekdays[static_cast<size_t>(now.dayOfWeek) % texts_.weekdays.size()];
    ShowItemText(IDC_CLOCK_TITLE, ClockHeading(texts_.curTime));
    ShowItemText(IDC_CLOCK_LINE, DateLine(now, fields_.twelveHour, weekday));
    ShowMemoryFigures(shown.figures, shown.status);
    ShowItemText(IDC_CPU_LOAD, ProcessorLoadLine(texts_.cpuLoad, shown.load));
}

void CMainDlg::ShowItemText(int id, const std::string& text)
{
    // Setting a text repaints the label even when it is the same. The tick alone writes these
    // labels, so what it wrote last is what they show: no window message to compare.
    auto shown = shownTexts_.find(id);
    if (shown == shownTexts_.end())
        shown = shownTexts_.emplace(id, ShownText{&Label(id), std::nullopt}).first;
    if (shown->second.text == text)
        return;
    // A reader hears of a figure when it is drawn, so never while the window is hidden.
    if (shown->second.label->SetTextWhenSeen(text))
        if (controls::ControlWindow* control = ValueShownBy(id))
            control->ValueShown();
    shown->second.text = text;
}

void CMainDlg::RefreshMemoryFigures()
{
    const MemoryFigures figures = ReadMemoryFigures();
    RefreshMemoryFigures(figures, StatusFromFigures(figures));
}

void CMainDlg::RefreshMemoryFigures(const MemoryFigures& figures, const MemoryStatus& status)
{
    ShowTickFigures(); // a hidden tick's, older than these
    ShowMemoryFigures(figures, status);
    StepMemoryGraph(status);
}

void CMainDlg::ShowMemoryFigures(const MemoryFigures& figures, const MemoryStatus& status)
{
    const double pageFree = FreeRatio(figures.availPageFile, figures.totalPageFile);
    const double virtualFree = FreeRatio(figures.availVirtual, figures.totalVirtual);
    ShowItemText(IDC_PAGE_PERCENT, PercentLine(pageFree * 100, texts_.pageFree));
    ShowItemText(IDC_VIRT_PERCENT, PercentLine(virtualFree * 100, texts_.vramFree));
    ShowItemText(IDC_PHYS_PERCENT, PercentLine(PhysicalFreePercent(status), texts_.ramFree));

    const int positions[] = {status.availPhysMB, static_cast<int>(status.totalPhysMB * pageFree),
                             static_cast<int>(status.totalPhysMB * virtualFree)};
    for (size_t i = 0; i < 3; ++i)
        gauges_[i].MoveTo(positions[i]);
    ShowItemText(IDC_PRAM_LINE, PhysicalLine(texts_.pramTotal, status.totalPhysMB, texts_.pramFree, status.availPhysMB));
}

void CMainDlg::StepMemoryGraph(const MemoryStatus& status)
{
    if (memoryGraph_.hwnd()) {
        memoryGraph_.SetRange(0, status.totalPhysMB);
        memoryGraph_.SetPos(status.totalPhysMB - status.availPhysMB);
    }
}

void CMainDlg::OnRulesTick(const MemoryFigures& figures)
{
    // The timer runs on while the tick asks its question: a tick arriving then is passed over.
    if (inRulesTick_)
        return;
    inRulesTick_ = true;
    if (settingsWatch_.MayHaveChanged())
        ReadTickSettings(tickSettings_);
    const MemoryStatus status = StatusFromFigures(figures);
    // What costs a system call is read only when the decision asks for it.
    const RulesProbes probes{
        [&] { return StandbyListFullNow(figures.totalPhys, tickSettings_.standbyAlertValue); },
        [] { return ShellNotificationState(); },
        [this] { return RunningListedProgram(tickSettings_.pausePrograms); }};
    const RulesActions actions =
        rules_.Decide(TickCount(), CleanState.busy, FreeMemoryPercent(status), RulesOf(tickSettings_), probes);
    ApplyRules(actions, status);
    inRulesTick_ = false;
}

void CMainDlg::ApplyRules(const RulesActions& actions, const MemoryStatus& status)
{
    holdTip_ = HoldTipLine(actions, [this](const char* key) {
        auto [text, added] = holdTipTexts_.try_emplace(key);
        if (added)
            text->second = UiText(key);
        return text->second;
    });
    if (actions.alert) {
        tray_.SetIconResource(IDI_ALERT);
        PlayAlertSound(GetModulePath("Alert.wav"));
    }
    const CleanTrigger trigger = actions.standby ? CleanTrigger::Standby : CleanTrigger::Automatic;
    if (actions.recordSkip)
        RecordClean(RecordOfSkip(MeasureCleanStart(), trigger, HoldReasonName(actions.held)));
    if (actions.clean != CleanAction::None) {
        const bool accepted =
            actions.clean == CleanAction::Clean ||
            AskBeforeAutomaticClean([this] { return GetItemText(IDC_CPU_LOAD); }, actions.standby);
        rules_.Answered(accepted);
        if (!accepted)
            RecordClean(RecordOfSkip(MeasureCleanStart(), trigger, HoldReasonName(HoldReason::Cancelled)));
        else if (!exiting_)
            StartCleanUpRun(trigger);
    }
    RefreshTrayPicture(status); // the busy picture while a run is in progress
}

void CMainDlg::RefreshTrayPicture()
{
    MemoryStatus status;
    CMemoryCleaner::SampleStatus(status);
    RefreshTrayPicture(status);
}

void CMainDlg::RefreshTrayPicture(const MemoryStatus& status)
{
    if (CleanState.busy) {
        tray_.SetIconResource(IDI_BUSY);
        return;
    }
    // Handed to the shell only when it shows something else, and made only when it is new.
    const int size = win32::SmallIconSize();
    const std::string name = trayPainter_.Name(status, size);
    if (tray_.ShowsPicture(name))
        return;
    if (auto picture = trayPainter_.Picture(hwnd(), status, size))
        tray_.SetIcon(std::move(picture), name);
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
    const bool more = DelayedLauncher().OnTick(hwnd());
    if (DelayedLauncher().WaitingForList() && !delayListNoticeGiven_) {
        delayListNoticeGiven_ = true;
        tray_.ShowNotice(win32::kProgramName, UiText("strDelayUnreadable"));
    }
    if (more)
        SetTimer(hwnd(), kLauncherTimer, kDelayLauncherPeriodMs, nullptr);
}
