#pragma once
// The shell's user notification state: whether a full-screen program, a presentation or quiet
// hours ask programs to keep quiet. Tests install a source to pretend one; an empty source puts the
// shell's own back.
#include <functional>

// A QUNS_ value; QUNS_ACCEPTS_NOTIFICATIONS where the shell cannot tell (before Vista).
int ShellNotificationState();
void SetShellStateSource(std::function<int()> source);
