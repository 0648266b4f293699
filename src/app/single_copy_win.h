#pragma once
// One copy of Tidewell per user and session. The mark of the running copy is a mutex that no plain
// program can hold first, and the running copy is found by the program file its process runs:
// a window title or a mutex name anyone can take.
#include <windows.h>

#include "win32/handles.h"

class InstanceMark {
public:
    // In a private namespace whose boundary only an elevated process of this user meets (the user,
    // the administrators, high integrity). Where the system has no private namespaces (Wine) the
    // session's plain name, which anyone may hold: callers then look for a running copy too.
    InstanceMark();
    ~InstanceMark();
    InstanceMark(const InstanceMark&) = delete;
    InstanceMark& operator=(const InstanceMark&) = delete;

    // The mark existed before: another copy holds it, or, under the plain name, anyone.
    bool HeldBefore() const { return heldBefore_; }
    // The plain name was used: holding it proves nothing.
    bool Squattable() const { return namespace_ == nullptr; }

private:
    HANDLE namespace_ = nullptr;
    win32::UniqueHandle mutex_;
    bool heldBefore_ = false;
};

// The plain name, in the session's namespace.
inline constexpr char kInstanceMutexName[] = "Kelvane III Mutex";

// Whether a process other than this one runs this program file.
bool AnotherCopyRuns();
// The main window of another process that runs this program file; null when there is none.
HWND RunningCopyWindow();
