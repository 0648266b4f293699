#include "memory/clean_run_win.h"

#include <utility>

#include "memory/clean_state.h"
#include "memory/memory_cleaner.h"

namespace {
std::function<HANDLE(LPTHREAD_START_ROUTINE, void*)> workerStarter;

HANDLE StartCleanWorker(LPTHREAD_START_ROUTINE routine, void* parameter)
{
    return workerStarter ? workerStarter(routine, parameter) : CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
}
} // namespace

void SetCleanWorkerStarter(std::function<HANDLE(LPTHREAD_START_ROUTINE, void*)> starter)
{
    workerStarter = std::move(starter);
}

CleanRun::~CleanRun()
{
    RequestStop();
    WaitForWorker();
}

bool CleanRun::Busy() const { return CleanState.busy; }

bool CleanRun::StartOrganise(int eighths, CleanUpPlan plan)
{
    if (!ClaimCleanRun())
        return false;
    plan_ = std::move(plan);
    stop_ = false;
    CleanState.amountEighths = eighths;
    CleanState.cleanUpRun = false;
    CleanState.tick = 0;
    return true;
}

bool CleanRun::StepIsNext() const
{
    return CleanState.busy && !CleanState.cleanUpRun && CleanState.tick >= 7;
}

bool CleanRun::OrganiseTick(std::function<void()> emptyClipboard)
{
    if (!CleanState.busy || CleanState.cleanUpRun || WorkerRunning())
        return false; // a stray tick: no countdown is running
    const int tick = ++CleanState.tick;
    if (tick <= 7) {
        progress_.ShowPercent(CMemoryCleaner::ProgressText(tick));
        progress_.ShowGauge(CMemoryCleaner::GaugePosition(tick));
        return true;
    }
    MeasureStart();
    plan_.singleStepEighths = CleanState.amountEighths;
    plan_.emptyClipboard = std::move(emptyClipboard);
    if (!plan_.NeedsWorker()) {
        SingleStep();
        progress_.Done();
        return false;
    }
    if (!StartWorker())
        Work(); // no thread: the countdown was promised a clean, so do it here
    return false;
}

bool CleanRun::StartCleanUp(CleanUpPlan plan)
{
    if (!ClaimCleanRun())
        return false;
    plan_ = std::move(plan);
    stop_ = false;
    const bool single = plan_.singleStepEighths >= 0;
    CleanState.amountEighths = single ? plan_.singleStepEighths : plan_.stepCount;
    CleanState.cleanUpRun = !single;
    CleanState.tick = 0;
    MeasureStart();
    if (!StartWorker()) {
        ResetCleanState(); // nothing ran: no Done, no report
        return false;
    }
    return true;
}

void CleanRun::MeasureStart()
{
    measurement_ = MeasureCleanStart();
    StoreSnapshot(StatusBefore, measurement_.StatusBeforeRun());
}

void CleanRun::MeasureEnd()
{
    MeasureCleanEnd(measurement_);
    StoreSnapshot(StatusAfter, measurement_.StatusAfterRun());
}

bool CleanRun::StartWorker()
{
    // A previous worker may still be returning from its Done; it touches nothing any more.
    worker_.reset(StartCleanWorker(WorkerMain, this));
    return static_cast<bool>(worker_);
}

DWORD WINAPI CleanRun::WorkerMain(void* self)
{
    static_cast<CleanRun*>(self)->Work();
    return 0;
}

void CleanRun::Work()
{
    if (plan_.firstOperation)
        plan_.firstOperation(stop_);
    const int n = plan_.stepCount;
    if (plan_.classicSteps && plan_.singleStepEighths >= 0) {
        SingleStep();
    } else if (plan_.classicSteps) {
        for (int i = 0; i < n && !stop_; ++i) {
            progress_.ShowPercent(CMemoryCleaner::ProgressText(i + 1));
            progress_.ShowGauge(CMemoryCleaner::GaugePosition(i + 1));
            CMemoryCleaner::CleanStep(i, &stop_);
        }
        // The last and largest step comes after the clipboard.
        if (!stop_) {
            if (plan_.emptyClipboard)
                plan_.emptyClipboard();
            CMemoryCleaner::CleanStep(n, &stop_);
        }
    }
    if (plan_.lastOperation)
        plan_.lastOperation();
    if (!stop_) {
        progress_.ShowGauge(kCleanGaugeMax);
        progress_.ShowPercent(kCleanDoneText);
    }
    progress_.Done(); // the last touch of this object
}

void CleanRun::SingleStep()
{
    if (plan_.emptyClipboard)
        plan_.emptyClipboard();
    CMemoryCleaner::CleanStep(plan_.singleStepEighths, &stop_);
}

void CleanRun::Finish()
{
    ResetCleanState();
    std::vector<std::function<void()>> waiting;
    waiting.swap(whenFinished_);
    for (auto& callback : waiting)
        callback();
}

void CleanRun::WhenFinished(std::function<void()> callback)
{
    if (Busy())
        whenFinished_.push_back(std::move(callback));
    else
        callback();
}

bool CleanRun::WorkerRunning() const
{
    return worker_ && WaitForSingleObject(worker_.get(), 0) == WAIT_TIMEOUT;
}

bool CleanRun::WaitForWorker(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (WorkerRunning()) {
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

void CleanRun::Exit()
{
    RequestStop();
    WaitForWorker();
    if (CleanState.busy)
        Finish(); // a countdown stopped before its step, or a Done nobody finished
}
