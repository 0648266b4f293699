// The main window's side of a cleaning run: the commands that start one, the percentage label and
// clean gauge that show it, the buttons it locks, and its end.
#include "app/main_window/main_dlg_win.h"

#include <commctrl.h>

#include "app/cleaning/cleaning_dialogs_win.h"
#include "app/settings/settings_win.h"
#include "app/cleaning/system_load_win.h"
#include "app/main_window/tool_table_win.h"
#include "common/clock.h"
#include "common/resource_text.h"
#include "common/windows_family_win.h"
#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"
#include "memory/memory_lists_win.h"
#include "resources/resource.h"
#include "win32/common_controls.h"
#include "win32/program_name.h"
#include "win32/ui_host.h"
#include "win32/wait_cursor.h"

namespace {

// Read at each start: the methods dialog writes them straight to the settings.
CleaningPlan ChosenCleaningPlan()
{
    const CleaningMethodSettings chosen = ReadCleaningMethodSettings();
    return PlanCleaning(chosen.methods, MethodsOffered(RunningWindowsVersion()), chosen.keepWorkingSets);
}

constexpr int kCleaningButtons[] = {IDC_LZL_BUTTON, IDC_CLEANRAM_BT};

// A clean step may empty the clipboard first; the window opens it, so that the system sees its
// owner. Runs on the worker too: the clipboard is not tied to a thread.
std::function<void()> ClipboardEmptier(HWND owner)
{
    return [owner] {
        if (OpenClipboard(owner)) {
            EmptyClipboard();
            CloseClipboard();
        }
    };
}

} // namespace

// The three below may run on the worker: they only send to the window's thread.
void CMainDlg::ShowPercent(const std::string& text)
{
    SendDlgItemMessageA(hwnd(), IDC_CLEAN_PERCENT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    gauges_[3].ValueShown();
}

void CMainDlg::ShowGauge(int position)
{
    HWND gauge = GetDlgItem(hwnd(), IDC_CLEAN_GAUGE);
    SendMessageA(gauge, BPM_SETPOS, static_cast<WPARAM>(position), 0);
    InvalidateRect(gauge, nullptr, TRUE);
}

void CMainDlg::Done() { SendMessageA(hwnd(), WM_CLEANUP_DONE, 0, 0); }

void CMainDlg::Organise()
{
    StartOrganise(win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).Position(), CleanTrigger::Organise);
}

void CMainDlg::OrganiseFromTray()
{
    StartOrganise(win32::Trackbar(Item(IDC_AMOUNT_SLIDER)).Position(), CleanTrigger::Tray);
}

bool CMainDlg::StartOrganise(int eighths, CleanTrigger trigger)
{
    // The countdown and the clean-up run share CleanState: one run at a time.
    if (run_.Busy())
        return false;
    EndFollowUp(FollowUpEnd::NextClean);
    const win32::WaitCursor wait;
    const bool started = run_.StartOrganise(eighths, WorkerPlan(ChosenCleaningPlan()));
    if (started) {
        runTrigger_ = trigger;
        EnableCleaningButtons(false);
        EnableToolButtons(false);
        SetTimer(hwnd(), kOrganiseTimer, kOrganiseMs, nullptr);
    }
    return started;
}

void CMainDlg::OnOrganiseTick()
{
    KillTimer(hwnd(), kOrganiseTimer);
    ReadControls();
    // The step may run on this thread: the hourglass while it commits its block.
    std::optional<win32::WaitCursor> wait;
    if (run_.StepIsNext())
        wait.emplace();
    if (run_.OrganiseTick(fields_.cleanClipboard ? ClipboardEmptier(hwnd()) : nullptr))
        SetTimer(hwnd(), kOrganiseTimer, kOrganiseMs, nullptr);
}

void CMainDlg::CleanUp() { StartCleanUpRun(CleanTrigger::Button); }

bool CMainDlg::StartCleanUpRun(CleanTrigger trigger)
{
    if (run_.Busy())
        return false;
    EndFollowUp(FollowUpEnd::NextClean);
    EnableToolButtons(false);
    InitCleanGauge(palette_.gaugeCleaning);
    Label(IDC_TITLE4).SetTextColor(palette_.titleCleaning);
    int32_t load = 0, freePercent = 0;
    GetSystemLoad(&load, &freePercent);
    EnableCleaningButtons(false);
    CleanUpPlan plan = WorkerPlan(ChosenCleaningPlan());
    plan.stepCount = CMemoryCleaner::StepCountFor(freePercent);
    plan.emptyClipboard = ClipboardEmptier(hwnd()); // before the last step, always
    runTrigger_ = trigger; // before the worker, whose end may come at once
    if (run_.StartCleanUp(std::move(plan)))
        return true;
    ShowRunEnded(); // the worker did not start: nothing was cleaned, nothing to report
    return false;
}

CleanUpPlan CMainDlg::WorkerPlan(const CleaningPlan& chosen)
{
    runOutcome_ = RunOutcome{};
    CleanUpPlan plan;
    plan.classicSteps = chosen.classicStep;
    if (!chosen.operations.empty()) {
        // On the worker; the window reads the outcome only after Done.
        plan.firstOperation = [this, chosen](const std::atomic<bool>&) { runOutcome_ = RunSystemOperations(chosen); };
        plan.lastOperation = [this] { SampleListsAfter(runOutcome_); };
    }
    return plan;
}

void CMainDlg::CleanHalf() { CleanFromTray(4); }

void CMainDlg::CleanQuarter() { CleanFromTray(2); }

void CMainDlg::CleanFromTray(int eighths)
{
    const CleaningPlan chosen = ChosenCleaningPlan();
    if (chosen.operations.empty()) {
        EndFollowUp(FollowUpEnd::NextClean);
        const win32::WaitCursor wait;
        // The classic step, as it always ran: no run and no snapshots, measured for the history alone.
        CleanMeasurement measured = MeasureCleanStart();
        CMemoryCleaner::CleanStep(eighths);
        MeasureCleanEnd(measured);
        lastCleanEnd_ = TickCount();
        FollowUp(RecordOfRun(measured, RunOutcome{}, CleanTrigger::Tray, false, eighths, false), measured.startTick);
        return;
    }
    if (run_.Busy())
        return;
    EndFollowUp(FollowUpEnd::NextClean);
    runTrigger_ = CleanTrigger::Tray;
    CleanUpPlan plan = WorkerPlan(chosen);
    plan.singleStepEighths = eighths;
    EnableCleaningButtons(false);
    EnableToolButtons(false);
    if (!run_.StartCleanUp(std::move(plan)))
        ShowRunEnded();
}

void CMainDlg::OnCleanUpDone()
{
    lastCleanEnd_ = TickCount();
    // One measurement for the record, the report and whatever else reads the run's end.
    run_.MeasureEnd();
    FollowUp(RecordOfRun(run_.Measurement(), runOutcome_, runTrigger_, CleanState.cleanUpRun, CleanState.amountEighths,
                         run_.StopRequested()),
             run_.Measurement().startTick);
    // What an automatic run freed decides the wait before the next one.
    if (runTrigger_ == CleanTrigger::Automatic || runTrigger_ == CleanTrigger::Standby)
        rules_.AutomaticRunEnded(*lastCleanEnd_, run_.Measurement().GainedMB(),
                                 run_.Measurement().StatusAfterRun().totalPhysMB, tickSettings_.backOffPercent);
    ReadControls();
    // A run the console program asked for reports to it instead of to a dialog nobody waits for.
    if (fields_.buildReport && !exiting_ && !requestedClean_) {
        const std::string notKept =
            history_.FolderReady() ? std::string() : FillPlaceholders(UiText("ReportHistoryNotKept"), {HistoryFolderShown()});
        ShowCleaningReport(run_.Measurement(), runOutcome_, notKept,
                           [this, number = followUps_] { return FollowUpLine(number); });
    }
    ShowRunEnded();
}

bool CMainDlg::RecordClean(const CleanRecord& record)
{
    events_.Add(record); // the Application log too, never waited for
    if (history_.Append(record))
        return true;
    // Said once, where it cannot stand in anyone's way; never during an exit. The History window,
    // the report and tidewellc say it whenever asked.
    if (history_.TakeProblemToTell() && !exiting_)
        tray_.ShowNotice(win32::kProgramName, FillPlaceholders(UiText("strHistoryNotKept"), {HistoryFolderShown()}));
    return false;
}

std::string CMainDlg::HistoryFolderShown() const { return history_.Folder().empty() ? "?" : history_.Folder(); }

void CMainDlg::ShowRunEnded()
{
    SetItemText(IDC_CLEAN_PERCENT, "0 %");
    gauges_[3].ValueShown();
    InitCleanGauge(palette_.gaugeLit);
    gauges_[3].state.position = 0;
    gauges_[3].Invalidate();
    Label(IDC_TITLE4).SetTextColor(palette_.title);
    run_.Finish();
    EnableCleaningButtons(true);
    EnableToolButtons(true);
}

void CMainDlg::InitCleanGauge(controls::Colour highlight) { InitGauge(gauges_[3], kCleanGaugeMax, highlight); }

void CMainDlg::EnableCleaningButtons(bool enable)
{
    for (int id : kCleaningButtons)
        EnableItem(id, enable);
}

void CMainDlg::EnableToolButtons(bool enable)
{
    for (const ToolEntry& tool : Tools())
        if (tool.systemTool)
            EnableItem(tool.button, enable);
}
