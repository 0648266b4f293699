#pragma once
// "Empty the working sets" with programs left alone: each other process the program may open is
// asked on its own, where the system-wide call would have trimmed everyone.
#include <windows.h>

#include <functional>

#include "common/program_list.h"
#include "memory/cleaning_methods.h"

// Trims one opened process's working set (PROCESS_SET_QUOTA); true when the system agreed.
bool EmptyProcessWorkingSet(HANDLE process);

// Every running process not on the list goes through `empty`; those it cannot open or empty are
// counted, never fatal. False when the processes could not be listed at all.
bool EmptyWorkingSetsExcept(const ProgramList& keep, const std::function<bool(HANDLE process)>& empty,
                            WorkingSetCounts& counts);
