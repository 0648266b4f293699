#pragma once
// One cleaning run at a time: the organise countdown with its single step, or the clean-up run of
// growing steps on a worker thread. Owns the run's start, end and exit; the run's state is the
// process-wide CleanState, which only this class writes. Progress goes to a CleanProgress.
#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "memory/clean_measurement.h"
#include "memory/clean_progress.h"
#include "win32/handles.h"

// What a clean-up run does on its worker thread, in this order.
struct CleanUpPlan {
    // Runs once before the steps; it should return soon once `stop` is set.
    std::function<void(const std::atomic<bool>& stop)> firstOperation;
    // The growing steps: 0 .. n-1 eighths, then n eighths after emptyClipboard.
    bool classicSteps = true;
    int stepCount = 0;
    // One step of this many eighths in place of the growing ones (organise, the tray's
    // commands), after emptyClipboard when it is set; -1 for the growing steps.
    int singleStepEighths = -1;
    // The owner's: it holds the clipboard. Not set, the clipboard stays as it is.
    std::function<void()> emptyClipboard;
    // Runs once after the steps, before Done.
    std::function<void()> lastOperation;
    // Whether the countdown's step needs the worker.
    bool NeedsWorker() const { return firstOperation || lastOperation; }
};

// How the clean-up worker starts: CreateThread unless tests install a starter to see a start fail;
// an empty starter puts CreateThread back.
void SetCleanWorkerStarter(std::function<HANDLE(LPTHREAD_START_ROUTINE routine, void* parameter)> starter);

class CleanRun {
public:
    explicit CleanRun(CleanProgress& progress) : progress_(progress) {}
    ~CleanRun();
    CleanRun(const CleanRun&) = delete;
    CleanRun& operator=(const CleanRun&) = delete;

    bool Busy() const;
    // Claims the run for an organise countdown of `eighths`; false while another run holds it.
    // A plan with operations runs them and the step on the worker once the countdown is over.
    bool StartOrganise(int eighths, CleanUpPlan plan = {});
    // True when the next countdown tick is the step itself, which runs on the ticking thread
    // when the plan needs no worker.
    bool StepIsNext() const;
    // One countdown tick: a seventh more progress; after the seventh, the step (after
    // emptyClipboard, when set) and Done, from the worker when the plan has operations. True
    // while the countdown goes on.
    bool OrganiseTick(std::function<void()> emptyClipboard);
    // Claims the run, takes the before-run snapshot and starts the worker. False while another
    // run holds it, or when the worker cannot start: that run is over at once, without Done.
    // A plan of a single step is not a clean-up run for the report's advice.
    bool StartCleanUp(CleanUpPlan plan);
    // Resets the run's state (the one place that does) and calls the waiting WhenFinished
    // callbacks. The owner calls it on its thread once it has handled Done.
    void Finish();
    // Calls `callback` after the current run's Finish, or at once when no run is in progress.
    void WhenFinished(std::function<void()> callback);

    // The end of the current run's measurement, and the after-run snapshot from it. The owner
    // calls it once when it handles Done, before the report and the record that both read it.
    void MeasureEnd();
    // The last run's: its start is taken with the before-run snapshot.
    const CleanMeasurement& Measurement() const { return measurement_; }

    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    bool WorkerRunning() const;
    // Pumps this thread's messages until the worker has ended, so that the progress and Done it
    // sends get through. False when the deadline passed first.
    bool WaitForWorker(DWORD timeoutMs = INFINITE);
    // Stops a run for good: the worker between two chunks, a countdown before its step.
    void Exit();

private:
    static DWORD WINAPI WorkerMain(void* self);
    void MeasureStart();
    bool StartWorker();
    void Work();
    void SingleStep();

    CleanProgress& progress_;
    CleanUpPlan plan_;
    CleanMeasurement measurement_;
    std::atomic<bool> stop_{false};
    win32::UniqueHandle worker_;
    std::vector<std::function<void()>> whenFinished_;
};
