#pragma once
// What a cleaning run shows while it works. The main window implements it with its percentage
// label and clean gauge; tests record it.
#include <string>

class CleanProgress {
public:
    virtual ~CleanProgress() = default;
    // Called on the thread doing the work: the worker during a clean-up run, the caller during
    // an organise run. Implementations hand the values to their own thread synchronously.
    virtual void ShowPercent(const std::string& text) = 0;
    virtual void ShowGauge(int position) = 0;
    // Once per run, when its work is over (finished or stopped), before its state is reset: the
    // owner shows what follows a run and then calls CleanRun::Finish on its own thread. A clean-up
    // worker waits here until the owner has done so.
    virtual void Done() = 0;
};
