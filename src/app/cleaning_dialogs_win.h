#pragma once
// The modal dialogs the main window opens, in one place.
#include <functional>
#include <string>

// The question before an automatic clean, following the load line while it is open; true when the
// clean may start. Answers true without asking when asking is switched off. standby: the standby
// list, not free memory, called for it.
bool AskBeforeAutomaticClean(std::function<std::string()> loadLine, bool standby = false);
// The cleaning report after a run, with what its system operations did.
struct RunOutcome;
void ShowReportAfterRun(const RunOutcome& outcome);
