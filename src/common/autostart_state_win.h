#pragma once
// Whether Tidewell starts with Windows. Asked by the settings (the box) and by the startup manager
// (delayed entries start only then), so it lies below both.
#include "common/settings_keys.h"

// The logon task exists, or the Orvanta value in the machine Run key does. The answer is the same
// for every user who asks: the task is one for the whole machine, looked up by its name.
bool AutostartExists();

// Task Scheduler 2.0 is there to ask: NT 6.0 and later.
bool TaskSchedulerExpected();
