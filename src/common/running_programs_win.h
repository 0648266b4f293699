#pragma once
// The running processes as the program compares them with its program lists: ids and file names
// from one Tool Help snapshot, full paths only for the processes that must be opened anyway.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "common/program_list.h"

struct RunningProcess {
    DWORD id = 0;
    std::string fileName;
};
// Each process of one snapshot, the system idle process left out; false when no snapshot could be
// taken.
bool ForEachRunningProcess(const std::function<void(const RunningProcess& process)>& visit);

// The full path of an open process (it needs PROCESS_QUERY_LIMITED_INFORMATION); empty when the
// system does not tell it.
std::string ProcessPath(HANDLE process);

// True when the list names a program by a path: matching then needs the processes' full paths.
bool ListNamesPaths(const ProgramList& list);

// The entry of the list that names a running program; empty when none runs.
std::string RunningListedProgram(const ProgramList& list);
